#pragma once

#include "storage/Progress.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ergotab {

// The progress dialog of long operations: borderless, on top of the other windows, centred on
// the screen. Each advance repaints it and processes pending events, so the program stays
// responsive while the operation runs on the user-interface thread.
class TProgressForm : public QWidget, public ProgressSink
{
    Q_OBJECT
public:
    explicit TProgressForm(QWidget *parent = nullptr);
    ~TProgressForm() override;

    // Position 0 of the given maximum, the text shown, the dialog up and the wait cursor on.
    void showProgress(const QString &text, int maximum) override;
    void stepProgress() override;
    void setProgress(int value) override;
    // Hides the dialog and gives the normal cursor back.
    void hideProgress() override;

    void ShowProgress(const QString &text, int maximum) { showProgress(text, maximum); }
    void StepProgress() { stepProgress(); }
    void SetProgress(int value) { setProgress(value); }
    void HideProgress() { hideProgress(); }

    QLabel *textLabel() const { return m_text; }
    QProgressBar *gauge() const { return m_gauge; }

private:
    void refresh();

    QLabel *m_text;
    QProgressBar *m_gauge;
    bool m_waitCursor = false;
};

} // namespace ergotab
