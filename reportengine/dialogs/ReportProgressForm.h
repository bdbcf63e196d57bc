#pragma once

// The window shown while a report is prepared: the report's name, the record reached of how
// many, the page begun, and "Zrušit". Preparing runs on the user-interface thread, so each
// report of progress lets pending events through now and then; that is how "Zrušit" is heard.

#include "reportengine/layout/ReportCallbacks.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ergotab::report {

class ReportProgressForm : public QDialog
{
    Q_OBJECT

public:
    explicit ReportProgressForm(const QString &reportName, QWidget *parent = nullptr);

    // Shows the window at the first call and the figures of `progress`; false once the user has
    // asked to stop (the run's progress callback).
    bool advance(const Progress &progress);
    bool isCancelled() const { return m_cancelled; }

    QLabel *recordLabel() const { return m_records; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void reject() override; // Escape and the window's close button stop the run as "Zrušit" does

private:
    QLabel *m_records;
    QLabel *m_pages;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QElapsedTimer m_sinceEvents;
    bool m_cancelled = false;
};

} // namespace ergotab::report
