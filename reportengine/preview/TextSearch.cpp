#include "TextSearch.h"

#include <QTextDocumentFragment>

namespace ergotab::report {

std::vector<TextHit> findText(const PreparedReport &report, const QString &text)
{
    std::vector<TextHit> hits;
    const QString needle = text.simplified();
    if (needle.isEmpty())
        return hits;
    for (std::size_t p = 0; p < report.pages.size(); ++p) {
        for (const PreparedItem &item : report.pages[p].items) {
            if (const auto *t = std::get_if<TextItem>(&item)) {
                if (t->text.simplified().contains(needle, Qt::CaseInsensitive))
                    hits.push_back({int(p), t->rect});
            } else if (const auto *r = std::get_if<RichTextItem>(&item)) {
                const QString plain = QTextDocumentFragment::fromHtml(r->html).toPlainText();
                if (plain.simplified().contains(needle, Qt::CaseInsensitive))
                    hits.push_back({int(p), r->rect});
            }
        }
    }
    return hits;
}

} // namespace ergotab::report
