#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ergotab {

// What the help window offers beside the pages themselves, read from the help folder: the
// contents (the nested lists of links on "index.html"), the index (the keywords each page
// names in <meta name="keywords">) and a full-text search over every page. Matching ignores
// case and accents, so "zatez" finds "Zátěž". QtCore only: the pages are read as text.
class HelpCatalogue
{
public:
    struct Page
    {
        QString path;  // relative to the help folder, "topics/100.html"
        QString title; // <title>, else the file name
        QStringList keywords;
        QString foldedText; // title and body without tags, folded for matching
    };
    struct ContentsEntry
    {
        QString title;
        QString path; // relative to the help folder; empty for a heading without a page
        int depth = 0;
    };
    struct IndexEntry
    {
        QString keyword;
        QString path;
        QString pageTitle;
    };

    // Reads "index.html" and every "*.html" of the folder and its "topics" folder.
    void load(const QString &folder);

    const QList<Page> &pages() const { return m_pages; }
    const QList<ContentsEntry> &contents() const { return m_contents; }
    // Keywords in Czech alphabetical order, one entry per keyword and page.
    const QList<IndexEntry> &index() const { return m_index; }

    // Pages holding every word of the query, those that hold them most often first; the
    // title counts more than the text.
    QList<const Page *> search(const QString &query) const;

    // Lower case without accents, runs of white space made one space.
    static QString fold(const QString &text);
    // The text of an HTML page without tags, entities decoded.
    static QString plainText(const QString &html);
    // The nested lists of links of a contents page.
    static QList<ContentsEntry> parseContents(const QString &html);

private:
    QList<Page> m_pages;
    QList<ContentsEntry> m_contents;
    QList<IndexEntry> m_index;
};

} // namespace ergotab
