#include "MemberPaths.h"

#include <QStringList>

namespace ergotab::archive {

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

bool hasForbiddenCharacter(const QString &part)
{
    for (QChar c : part) {
        if (c.unicode() < 0x20 || c == QLatin1Char(':') || isSeparator(c))
            return true;
    }
    return false;
}

bool isDotName(const QString &part)
{
    return part == QLatin1String(".") || part == QLatin1String("..");
}

} // namespace

QString folderPart(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return path.left(i + 1);
    }
    return QString();
}

QString namePart(const QString &path)
{
    return path.mid(folderPart(path).size());
}

QString withoutDrive(const QString &folder)
{
    const qsizetype colon = folder.indexOf(QLatin1Char(':'));
    return colon < 0 ? folder : folder.mid(colon + 1);
}

QString collapseSeparators(const QString &folder)
{
    QString out;
    out.reserve(folder.size());
    for (qsizetype i = 0; i < folder.size(); ++i) {
        const QChar c = folder.at(i);
        const bool keepLeadingPair = i == 1 && isSeparator(folder.at(0));
        if (isSeparator(c) && !out.isEmpty() && isSeparator(out.back()) && !keepLeadingPair)
            continue;
        out.append(c);
    }
    if (out.size() > 1 && isSeparator(out.back()))
        out.chop(1);
    return out;
}

std::optional<QString> safeMemberName(const QString &name)
{
    if (name.isEmpty() || isDotName(name) || hasForbiddenCharacter(name))
        return std::nullopt;
    return name;
}

std::optional<QString> safeSubfolder(const QString &filePath)
{
    QStringList kept;
    QString part;
    const auto flush = [&]() {
        if (part.isEmpty() || part == QLatin1String("."))
            ; // "a//b" and "a/./b" mean "a/b"
        else if (part == QLatin1String("..") || hasForbiddenCharacter(part))
            return false;
        else
            kept.append(part);
        part.clear();
        return true;
    };
    for (QChar c : filePath) {
        if (isSeparator(c)) {
            if (!flush())
                return std::nullopt;
        } else {
            part.append(c);
        }
    }
    if (!flush())
        return std::nullopt;
    return kept.join(QLatin1Char('/'));
}

} // namespace ergotab::archive
