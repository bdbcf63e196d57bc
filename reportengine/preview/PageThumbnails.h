#pragma once

// Small pictures of the report's pages beside the preview, one under another; choosing one goes
// to that page. Only the pictures in view are drawn, so a long report costs nothing extra.

#include "reportengine/prepared/PreparedReport.h"

#include <QListWidget>

namespace ergotab::report {

class PageThumbnails : public QListWidget
{
    Q_OBJECT

public:
    explicit PageThumbnails(QWidget *parent = nullptr);

    // The report stays owned by the caller and must outlive the list or the next call.
    void setReport(const PreparedReport *report);
    // Marks the page in view without announcing it as chosen.
    void showCurrentPage(int page);

    static constexpr int thumbnailWidth = 110;

signals:
    void pageChosen(int page);
};

} // namespace ergotab::report
