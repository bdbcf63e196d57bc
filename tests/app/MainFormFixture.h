#pragma once

#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/TMainForm.h"
#include "help/HelpViewer.h"
#include "tests/support/TempDir.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <memory>

namespace ergotab::test {

// A main window whose settings, administrator marker and help live in a scratch folder, with
// every message box recorded instead of shown.
class MainFormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.file(QStringLiteral("settings")));
        qputenv("ERGOTAB_ADMIN_MARKER", markerPath().toLocal8Bit());
        HelpViewer::setHelpFolder(scratch.file(QStringLiteral("help")));
    }

    void TearDown() override
    {
        form.reset();
        qunsetenv("ERGOTAB_ADMIN_MARKER");
        HelpViewer::setHelpFolder(QString());
    }

    QString markerPath() const { return scratch.file(QStringLiteral("Admin.set")); }

    TMainForm &makeForm(const QString &commandLineDocument = QString())
    {
        form = std::make_unique<TMainForm>();
        form->setCommandLineDocument(commandLineDocument);
        return *form;
    }

    TMainForm &shownForm(const QString &commandLineDocument = QString())
    {
        makeForm(commandLineDocument).show();
        return *form;
    }

    template <typename T> T *child(const char *name) const { return form->findChild<T *>(QLatin1String(name)); }

    TempDir scratch;
    MessageBoxRecorder boxes;
    // No real file dialog ever opens in a test: unanswered ones count as cancelled.
    FileDialogAnswers dialogs;
    std::unique_ptr<TMainForm> form;
};

} // namespace ergotab::test
