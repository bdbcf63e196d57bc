#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // A main window opens the library the build made, wherever the test program lies.
    if (qEnvironmentVariableIsEmpty("ERGOTAB_LIBRARY"))
        qputenv("ERGOTAB_LIBRARY", QByteArrayLiteral(ERGOTAB_PROGRAM_DIR "/Library.LIB"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
