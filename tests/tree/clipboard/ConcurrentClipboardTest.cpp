// Two processes copy and paste through one clipboard folder at the same time.
#include "tests/support/TempDir.h"

#include <QProcess>

#include <gtest/gtest.h>

TEST(ConcurrentClipboard, TwoProcessesNeverSeeATornClipboard)
{
    ergotab::test::TempDir folder;
    QProcess first, second;
    const QString program = QStringLiteral(ERGOTAB_PROGRAM_DIR "/tests/bin/clipboard_stress");
    first.start(program, {folder.path(), QStringLiteral("60"), QStringLiteral("41")});
    second.start(program, {folder.path(), QStringLiteral("60"), QStringLiteral("77")});
    ASSERT_TRUE(first.waitForFinished(300000));
    ASSERT_TRUE(second.waitForFinished(300000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
}
