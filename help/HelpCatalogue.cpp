#include "HelpCatalogue.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace ergotab {

namespace {

QString readPage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString decodeEntities(QString text)
{
    static const std::pair<const char *, const char *> named[] = {
        {"&nbsp;", " "},  {"&lt;", "<"},     {"&gt;", ">"},   {"&quot;", "\""}, {"&ndash;", "–"},
        {"&mdash;", "—"}, {"&hellip;", "…"}, {"&rarr;", "→"}, {"&bdquo;", "„"}, {"&ldquo;", "“"}};
    for (const auto &[entity, character] : named)
        text.replace(QLatin1String(entity), QString::fromUtf8(character));
    static const QRegularExpression numeric(QStringLiteral("&#(\\d+);"));
    for (auto match = numeric.match(text); match.hasMatch(); match = numeric.match(text))
        text.replace(match.capturedStart(), match.capturedLength(), QChar(match.captured(1).toInt()));
    // Last, so that "&amp;lt;" stays the text "&lt;".
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

QString firstMatch(const QString &html, const QRegularExpression &pattern)
{
    const auto match = pattern.match(html);
    return match.hasMatch() ? decodeEntities(match.captured(1)).simplified() : QString();
}

int compareCzech(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Czech, QLocale::Czechia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

int occurrences(const QString &text, const QString &word)
{
    int count = 0;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + word.size()))
        ++count;
    return count;
}

} // namespace

QString HelpCatalogue::fold(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    return folded.toCaseFolded().simplified();
}

QString HelpCatalogue::plainText(const QString &html)
{
    QString text = html;
    static const QRegularExpression hidden(QStringLiteral("<(head|script|style)\\b.*?</\\1>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    text.remove(hidden);
    text.replace(tags, QStringLiteral(" "));
    return decodeEntities(text).simplified();
}

QList<HelpCatalogue::ContentsEntry> HelpCatalogue::parseContents(const QString &html)
{
    // Each <li> gives one entry: its first link, or its first text when it has no link (a
    // heading), at the depth of the lists around it.
    static const QRegularExpression token(
        QStringLiteral("<(/?)(ul|li)\\b[^>]*>|<a\\b[^>]*href=\"([^\"]*)\"[^>]*>(.*?)</a>|([^<]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QList<ContentsEntry> entries;
    int depth = -1;
    bool open = false; // inside a <li> that has no entry yet
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        const QString element = match.captured(2).toLower();
        if (element == QLatin1String("ul")) {
            depth += match.captured(1).isEmpty() ? 1 : -1;
            open = false;
        } else if (element == QLatin1String("li")) {
            open = match.captured(1).isEmpty() && depth >= 0;
        } else if (open && match.capturedLength(3) > 0) {
            entries.append({plainText(match.captured(4)), match.captured(3), depth});
            open = false;
        } else if (open && !match.captured(5).trimmed().isEmpty()) {
            entries.append({decodeEntities(match.captured(5)).simplified(), QString(), depth});
            open = false;
        }
    }
    return entries;
}

void HelpCatalogue::load(const QString &folder)
{
    m_pages.clear();
    m_index.clear();
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression keywords(QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
                                             QRegularExpression::CaseInsensitiveOption);
    const QDir root(folder);
    QStringList paths {QStringLiteral("index.html")};
    const QStringList rootPages = root.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &name :
         QDir(root.filePath(QStringLiteral("topics"))).entryList({QStringLiteral("*.html")}, QDir::Files))
        paths << QStringLiteral("topics/") + name;
    for (const QString &name : rootPages)
        if (name != QLatin1String("index.html"))
            paths << name;

    for (const QString &path : paths) {
        const QString html = readPage(root.filePath(path));
        if (html.isEmpty())
            continue;
        Page page;
        page.path = path;
        page.title = firstMatch(html, title);
        if (page.title.isEmpty())
            page.title = path;
        for (const QString &keyword : firstMatch(html, keywords).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!keyword.trimmed().isEmpty())
                page.keywords << keyword.trimmed();
        page.foldedText = fold(page.title + QLatin1Char(' ') + plainText(html));
        for (const QString &keyword : page.keywords)
            m_index.append({keyword, path, page.title});
        m_pages.append(page);
        if (path == QLatin1String("index.html"))
            m_contents = parseContents(html);
    }
    std::stable_sort(m_index.begin(), m_index.end(), [](const IndexEntry &a, const IndexEntry &b) {
        const int byKeyword = compareCzech(a.keyword, b.keyword);
        return byKeyword != 0 ? byKeyword < 0 : compareCzech(a.pageTitle, b.pageTitle) < 0;
    });
}

QList<const HelpCatalogue::Page *> HelpCatalogue::search(const QString &query) const
{
    const QStringList words = fold(query).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    QList<std::pair<int, const Page *>> found;
    for (const Page &page : m_pages) {
        const QString foldedTitle = fold(page.title);
        int score = 0;
        for (const QString &word : words) {
            const int count = occurrences(page.foldedText, word);
            if (count == 0) {
                score = 0;
                break;
            }
            score += count + (foldedTitle.contains(word) ? 10 : 0);
        }
        if (score > 0)
            found.append({score, &page});
    }
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QList<const Page *> result;
    for (const auto &[score, page] : found)
        result.append(page);
    return result;
}

} // namespace ergotab
