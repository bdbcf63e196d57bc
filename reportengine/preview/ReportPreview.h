#pragma once

// The modal preview of a prepared report: zoom (whole page, page width, 100 %, Ctrl+wheel),
// page navigation, finding text, opening a prepared-report file, saving in every export format,
// printing, help and closing.

#include "reportengine/prepared/PreparedReport.h"

#include <QDialog>

#include <functional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QSpinBox;

namespace ergotab::report {

class PageThumbnails;
class PageView;
struct TextHit;

// What the preview asks of the program around it. Each has a plain Qt default (file dialogs,
// a message box, the print dialog); the program puts in its own, tests their answers.
struct PreviewHooks
{
    // A prepared-report file to open, or empty when cancelled.
    std::function<QString(QWidget *parent, const QString &folder)> openFileName;
    // A file to save to, or empty when cancelled; `filter` is set to the filter chosen.
    std::function<QString(QWidget *parent, const QString &folder, QString *filter)> saveFileName;
    std::function<void(QWidget *parent, const QString &message)> showError;
    // Shows the print dialog for `printer`; true when the user chose to print.
    std::function<bool(QWidget *parent, QPrinter &printer, int pageCount)> choosePrinter;
    std::function<void(QWidget *parent)> showHelp;
};

class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(PreparedReport report, QWidget *parent = nullptr);
    ~ReportPreview() override;

    // Hooks every preview made afterwards starts with (the program sets them once).
    static void setDefaultHooks(const PreviewHooks &hooks);
    PreviewHooks &hooks() { return m_hooks; }

    const PreparedReport &report() const { return m_report; }
    PageView *pageView() const { return m_view; }
    PageThumbnails *thumbnails() const { return m_thumbnails; }

    void openFile();
    void save();
    void print();
    void findNext();
    void findPrevious();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildToolBar();
    void showReport();
    void updatePageControls(int page);
    void updateZoomLabel(double factor);
    void find(int step);
    void fail(const QString &message);
    QString lastFolder() const;
    void rememberFolder(const QString &fileName);

    PreparedReport m_report;
    PreviewHooks m_hooks;
    PageView *m_view = nullptr;
    PageThumbnails *m_thumbnails = nullptr;
    QSpinBox *m_pageNumber = nullptr;
    QLabel *m_pageCount = nullptr;
    QLabel *m_zoomLabel = nullptr;
    QLineEdit *m_findText = nullptr;
    QLabel *m_findStatus = nullptr;
    std::vector<TextHit> m_hits;
    QString m_hitsFor;
    int m_hit = -1;
};

} // namespace ergotab::report
