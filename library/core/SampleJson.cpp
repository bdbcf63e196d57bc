#include "SampleJson.h"

#include "LibraryFiles.h"

#include "storage/AppError.h"
#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"

#include <QHash>
#include <QJsonArray>
#include <QSet>

#include <map>
#include <vector>

namespace ergotab::library {

namespace {

const QString NodeKey = QStringLiteral("node");
const QString AssessmentKey = QStringLiteral("assessment");
// Keys sort so that a name comes before what stands under it (QJsonObject writes them sorted).
const QString ChildrenKey = QStringLiteral("subitems");
const QString CategoriesKey = QStringLiteral("categories");
const QString TextField = QStringLiteral("Text");
constexpr int TextWidth = 250;

int categoryBitFromJson(int factor, const QJsonValue &value)
{
    const int category = value.toInt(0);
    if (!value.isDouble() || category < 1 || category > CategoryCount)
        throw AppError(QStringLiteral("%1: a category is 1, 2, 3 or 4").arg(ergotab::factor(factor).shortName));
    if (category == 4 && !ergotab::factor(factor).category4Offered)
        throw AppError(QStringLiteral("%1 has no category 4").arg(ergotab::factor(factor).shortName));
    return categoryBit(category);
}

// File names keep letters and digits of the name, without accents.
QString slug(const QString &name)
{
    QString out;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            out += c.toLower();
        else if ((c.isSpace() || c == QLatin1Char('-')) && !out.endsWith(QLatin1Char('-')))
            out += QLatin1Char('-');
    }
    while (out.endsWith(QLatin1Char('-')))
        out.chop(1);
    return out.left(40);
}

QString numberedName(int number, const QString &name)
{
    return QStringLiteral("%1-%2.json").arg(number, 2, 10, QLatin1Char('0')).arg(slug(name));
}

struct Row
{
    int index;
    int upLink;
    int type;
    QString text;
    std::array<int, FactorCount> masks;
};

class SampleReader
{
public:
    explicit SampleReader(dbf::Table &table)
    {
        table.setFiltered(false);
        for (table.first(); !table.eof(); table.next()) {
            Row row {table.fieldInt(QStringLiteral("Index")),
                     table.fieldInt(QStringLiteral("UpLink")),
                     table.fieldInt(QStringLiteral("Type")),
                     table.fieldText(TextField),
                     {}};
            for (const Factor &f : factorCatalogue())
                row.masks[f.number - 1] = table.fieldInt(f.fieldName);
            m_rows.push_back(row);
        }
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (!m_firstOfIndex.contains(m_rows[i].index))
                m_firstOfIndex.insert(m_rows[i].index, i);
        }
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_children[m_rows[i].upLink].push_back(i);
    }

    QList<SampleFile> files()
    {
        QList<SampleFile> out;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            const Row &row = m_rows[i];
            const bool topLevel = row.upLink == 0 || !m_firstOfIndex.contains(row.upLink) ||
                                  m_rows[m_firstOfIndex.value(row.upLink)].type != 0;
            if (topLevel && !m_done.contains(i))
                out.append({numberedName(static_cast<int>(out.size()) + 1, row.text), item(i)});
        }
        // Rows only reachable through a loop of UpLinks.
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (!m_done.contains(i))
                out.append({numberedName(static_cast<int>(out.size()) + 1, m_rows[i].text), item(i)});
        }
        return out;
    }

private:
    QJsonObject item(size_t i)
    {
        m_done.insert(i);
        const Row &row = m_rows[i];
        QJsonObject object;
        if (row.type == 0) {
            object.insert(NodeKey, row.text);
            QJsonArray children;
            // Only the first row of an Index owns children; a repeated Index would copy them.
            if (m_firstOfIndex.value(row.index) == i) {
                for (size_t child : m_children[row.index]) {
                    if (!m_done.contains(child) && child != i)
                        children.append(item(child));
                }
            }
            object.insert(ChildrenKey, children);
        } else {
            object.insert(AssessmentKey, row.text);
            QJsonObject categories;
            for (const Factor &f : factorCatalogue()) {
                const QJsonValue value = maskToJson(row.masks[f.number - 1]);
                if (!value.isUndefined())
                    categories.insert(f.shortName, value);
            }
            object.insert(CategoriesKey, categories);
        }
        return object;
    }

    std::vector<Row> m_rows;
    QHash<int, size_t> m_firstOfIndex;
    std::map<int, std::vector<size_t>> m_children;
    QSet<size_t> m_done;
};

} // namespace

int factorFromJson(const QJsonValue &value)
{
    if (value.isDouble()) {
        const int n = value.toInt(0);
        if (n >= 1 && n <= FactorCount)
            return n;
    }
    for (const Factor &f : factorCatalogue()) {
        if (f.shortName == value.toString())
            return f.number;
    }
    throw AppError(QStringLiteral("unknown factor \"%1\"").arg(value.toVariant().toString()));
}

int maskFromJson(int factor, const QJsonValue &value)
{
    if (!value.isArray())
        return categoryBitFromJson(factor, value);
    int mask = 0;
    for (const QJsonValue &category : value.toArray())
        mask |= categoryBitFromJson(factor, category);
    return mask;
}

QJsonValue maskToJson(int mask)
{
    if (mask == categoryBit(1))
        return QJsonValue(QJsonValue::Undefined);
    QJsonArray categories;
    for (int k = 1; k <= CategoryCount; ++k) {
        if (mask & categoryBit(k))
            categories.append(k);
    }
    if (categories.size() == 1)
        return categories.at(0);
    return categories;
}

QString linesFromJson(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    QStringList lines;
    for (const QJsonValue &line : value.toArray())
        lines.append(line.toString());
    return lines.join(QStringLiteral("\r\n"));
}

QJsonArray linesToJson(const QString &text)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QJsonArray lines;
    for (const QString &line : unified.split(QLatin1Char('\n')))
        lines.append(line);
    return lines;
}

void SampleWriter::write(const QJsonObject &item, int upLink)
{
    const bool node = item.contains(NodeKey);
    if (node == item.contains(AssessmentKey))
        throw AppError(QStringLiteral("every item needs either \"node\" or \"assessment\""));
    const QString name = item.value(node ? NodeKey : AssessmentKey).toString();
    if (name.isEmpty() || name.size() > TextWidth)
        throw AppError(QStringLiteral("a name must have 1 to %1 characters: \"%2\"").arg(TextWidth).arg(name));

    const int index = m_nextIndex++;
    m_table.append();
    m_table.setFieldInt(QStringLiteral("Index"), index);
    m_table.setFieldInt(QStringLiteral("UpLink"), upLink);
    m_table.setFieldInt(QStringLiteral("Type"), node ? 0 : 1);
    m_table.setFieldText(TextField, name);
    if (!node) {
        std::array<int, FactorCount> masks;
        masks.fill(categoryBit(1));
        const QJsonObject categories = item.value(CategoriesKey).toObject();
        for (auto it = categories.begin(); it != categories.end(); ++it) {
            const int f = factorFromJson(QJsonValue(it.key()));
            masks[f - 1] = maskFromJson(f, it.value());
        }
        for (const Factor &f : factorCatalogue())
            m_table.setFieldInt(f.fieldName, masks[f.number - 1]);
    }
    m_table.post();
    if (node) {
        for (const QJsonValue &child : item.value(ChildrenKey).toArray())
            write(child.toObject(), index);
    }
}

QList<SampleFile> readSampleFiles(dbf::Table &samples)
{
    return SampleReader(samples).files();
}

QList<SampleFile> readTemplateFiles(dbf::Table &templates)
{
    std::map<int, QJsonArray> byFactor;
    templates.setFiltered(false);
    for (templates.first(); !templates.eof(); templates.next()) {
        QJsonObject t;
        t.insert(QStringLiteral("specification"), templates.fieldText(SpecifikField));
        t.insert(QStringLiteral("text"), linesToJson(templates.fieldText(OpatreniField)));
        byFactor[templates.fieldInt(FaktorField)].append(t);
    }
    QList<SampleFile> files;
    for (const auto &[number, list] : byFactor) {
        const bool known = number >= 1 && number <= FactorCount;
        QJsonObject object;
        object.insert(QStringLiteral("factor"), known ? QJsonValue(factor(number).shortName) : QJsonValue(number));
        object.insert(QStringLiteral("templates"), list);
        files.append({numberedName(number, known ? factor(number).shortName : QStringLiteral("faktor")), object});
    }
    return files;
}

} // namespace ergotab::library
