// FrfFile into our template: pages and dialog pages, bands by their types, each object given
// to the band it stands in the way the earlier engine did it, the variables.
#include "reportengine/expr/Expression.h"
#include "reportengine/frf/FrfAliases.h"
#include "reportengine/frf/FrfObjectConverter.h"
#include "reportengine/frf/FrfScripts.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/frf/FrfUnits.h"
#include "reportengine/model/TemplateLoader.h"
#include "storage/AppError.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>
#include <mutex>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// Band flags.
constexpr quint16 bandStretch = 0x01;
constexpr quint16 bandNewPageAfter = 0x02;
constexpr quint16 bandPrintIfEmpty = 0x04;
constexpr quint16 bandBreaked = 0x08;
constexpr quint16 bandOnFirstPage = 0x10;
constexpr quint16 bandOnLastPage = 0x20;
constexpr quint16 bandRepeatHeader = 0x40;

// What laser printers of the time left unprinted at each edge, near enough.
constexpr double printerEdgeMm = 5.0;

bool isDataBand(int type)
{
    return type == 5 || type == 8 || type == 11 || type == 19;
}

bool isCrossBand(int type)
{
    return type >= 18 && type <= 20;
}

// FR 2.3 numbered "none" 21, FR 2.4 made 21 the child band and "none" 22.
std::optional<BandKind> bandKind(int type, int version)
{
    static const BandKind kinds[] = {BandKind::ReportTitle,     BandKind::ReportSummary,   BandKind::PageHeader,
                                     BandKind::PageFooter,      BandKind::MasterHeader,    BandKind::MasterData,
                                     BandKind::MasterFooter,    BandKind::DetailHeader,    BandKind::DetailData,
                                     BandKind::DetailFooter,    BandKind::SubdetailHeader, BandKind::SubdetailData,
                                     BandKind::SubdetailFooter, BandKind::Overlay,         BandKind::ColumnHeader,
                                     BandKind::ColumnFooter,    BandKind::GroupHeader,     BandKind::GroupFooter,
                                     BandKind::CrossHeader,     BandKind::CrossData,       BandKind::CrossFooter};
    if (type >= 0 && type < int(std::size(kinds)))
        return kinds[type];
    if (type == 21 && version >= 24)
        return BandKind::Child;
    return std::nullopt;
}

PaperSize paperFor(int code)
{
    switch (code) {
    case 9:
        return PaperSize::A4;
    case 8:
        return PaperSize::A3;
    case 11:
        return PaperSize::A5;
    case 1:
        return PaperSize::Letter;
    case 5:
        return PaperSize::Legal;
    default:
        return PaperSize::Custom;
    }
}

// A variable's value is an expression; a plain sentence becomes a quoted text.
QString variableExpression(const QString &value)
{
    if (value.trimmed().isEmpty())
        return {};
    try {
        Expression::parse(value);
        return value;
    } catch (const ExpressionError &) {
        QString quoted = value;
        quoted.replace(u"'"_s, u"''"_s);
        return u'\'' + quoted + u'\'';
    }
}

class Converter
{
public:
    Converter(const FrfFile &file, const FrfReadOptions &options, QStringList &warnings)
        : m_file(file)
        , m_codePage(CodePage::get(options.codePage))
        , m_warnings(warnings)
        , m_objects(m_codePage, warnings, [this](int index) { return reportPageName(index); })
    {
    }

    ReportTemplate run(const QString &name)
    {
        countAssignments();
        ReportTemplate r;
        r.name = name;
        r.doublePass = m_file.header.doublePass;
        r.script = m_file.header.reportScript;
        if (!r.script.trimmed().isEmpty())
            m_warnings << u"Skript sestavy se nespouští."_s;
        for (const QString &info : m_file.reportInfo)
            if (info.startsWith(u"comment="_s))
                r.description = info.mid(8);
        for (size_t i = 0; i < m_file.pages.size(); ++i) {
            if (m_file.pages[i].dialog)
                r.dialogs.push_back(dialogPage(int(i)));
            else
                r.pages.push_back(reportPage(int(i)));
        }
        for (const FrfVariable &v : m_file.variables)
            r.variables.push_back({v.name, variableExpression(v.value), v.category});
        for (const auto &assignment : m_scriptVariables) {
            const QString &variable = assignment.first;
            const bool defined = std::any_of(r.variables.begin(), r.variables.end(), [&](const TemplateVariable &v) {
                return v.name.compare(variable, Qt::CaseInsensitive) == 0;
            });
            if (!defined)
                r.variables.push_back({variable, assignment.second, QString()});
        }
        applyAliases(r);
        if (m_file.dataManager)
            m_warnings << u"Data správce dat na pozici %1 a vše za nimi se nečte."_s.arg(m_file.dataManagerOffset);
        return r;
    }

private:
    // Expressions that name data sets and fields by their dictionary aliases name them by their
    // real names, the way the earlier engine looked them up.
    void applyAliases(ReportTemplate &r) const
    {
        const FrfAliases aliases(m_file.fieldAliases, m_file.dataSourceAliases);
        if (aliases.isEmpty())
            return;
        const auto fix = [&](QString &text) { text = aliases.expressions(text); };
        const auto fixObjects = [&](std::vector<ReportObject> &objects) {
            for (ReportObject &obj : objects) {
                fix(obj.printIf);
                std::visit(
                    [&](auto &c) {
                        using T = std::decay_t<decltype(c)>;
                        if constexpr (std::is_same_v<T, TextObject>) {
                            if (!c.plainText)
                                fix(c.text);
                            fix(c.highlight.condition);
                        } else if constexpr (std::is_same_v<T, PictureObject>) {
                            fix(c.source);
                        } else if constexpr (std::is_same_v<T, CheckBoxObject> || std::is_same_v<T, BarcodeObject>) {
                            fix(c.expression);
                        } else if constexpr (std::is_same_v<T, RichTextObject>) {
                            fix(c.html);
                        }
                    },
                    obj.content);
            }
        };
        for (TemplateVariable &v : r.variables)
            fix(v.expression);
        for (ReportPage &page : r.pages) {
            for (Band &band : page.bands) {
                band.dataSource = aliases.dataSource(band.dataSource);
                fix(band.condition);
                fix(band.printIf);
                fixObjects(band.objects);
            }
            fixObjects(page.objects);
        }
    }

    // How often each name is assigned in all the scripts of the file: a variable set in one
    // place only can become a variable of ours.
    void countAssignments()
    {
        static const QRegularExpression assignment(u"\\b([A-Za-z_][A-Za-z0-9_]*)\\s*:="_s);
        const auto count = [&](const QStringList &script) {
            auto it = assignment.globalMatch(script.join(u'\n'));
            while (it.hasNext())
                ++m_assigned[it.next().captured(1).toUpper()];
        };
        for (const FrfObject &o : m_file.objects)
            count(o.common.script);
        for (const FrfPage &p : m_file.pages)
            count(p.script);
    }

    // Keeps the script, tells that it does not run, and carries over what it means where that
    // is exact: a condition for printing (`printIf` null where the owner cannot take one) and
    // variables set from an expression in this one place.
    void translateScript(const FrfObject &o, QString *printIf)
    {
        const QStringList &lines = o.common.script;
        const QString script = lines.join(u'\n');
        if (script.trimmed().isEmpty())
            return;
        const QString first = lines.join(u' ').simplified().left(60);
        const auto meaning = understandScript(script);
        bool exact = meaning.has_value() && (meaning->visibleWhen.isEmpty() || printIf);
        if (exact) {
            for (const auto &[name, value] : meaning->assignments)
                exact = exact && m_assigned.value(name.toUpper()) == 1;
        }
        if (!exact) {
            m_objects.warn(o, u"skript se nespouští: „%1“"_s.arg(first));
            return;
        }
        QStringList done;
        if (!meaning->visibleWhen.isEmpty()) {
            *printIf = meaning->visibleWhen;
            done << u"podmínka tisku „%1“"_s.arg(meaning->visibleWhen);
        }
        for (const auto &[name, value] : meaning->assignments) {
            m_scriptVariables.emplace_back(name, value);
            done << u"proměnná %1 = %2"_s.arg(name, value);
        }
        m_objects.warn(o, u"skript se nespouští, převeden na: %1."_s.arg(done.join(u"; "_s)));
    }

    QString reportPageName(int index) const
    {
        if (index < 0 || index >= int(m_file.pages.size()) || m_file.pages[size_t(index)].dialog)
            return {};
        return m_file.pages[size_t(index)].name;
    }

    std::vector<const FrfObject *> objectsOn(int page) const
    {
        std::vector<const FrfObject *> list;
        for (const FrfObject &o : m_file.objects)
            if (o.page == page)
                list.push_back(&o);
        return list;
    }

    DialogPage dialogPage(int index)
    {
        const FrfPage &p = m_file.pages[size_t(index)];
        DialogPage d;
        d.name = p.name;
        d.caption = p.caption;
        d.size = QSize(std::clamp(p.formWidth, 50, 4000), std::clamp(p.formHeight, 50, 4000));
        d.script = p.script.join(u'\n');
        if (!d.script.trimmed().isEmpty())
            m_warnings << u"Stránka %1: skript se nespouští."_s.arg(p.name);
        for (const FrfObject *o : objectsOn(index))
            if (auto control = m_objects.control(*o))
                d.controls.push_back(std::move(*control));
        return d;
    }

    Band band(const FrfObject &o, const QPointF &origin, std::optional<BandKind> kind)
    {
        const FrfCommon &c = o.common;
        Band b;
        b.name = c.name;
        b.kind = kind.value_or(BandKind::Child);
        b.top = clampedMm(yMm(c.y - origin.y()));
        b.height = clampedMm(yMm(std::max(c.height, 0)));
        const int type = c.frameType;
        if (isDataBand(type))
            b.dataSource = c.formatStr.trimmed();
        else if (type == 16)
            b.condition = c.formatStr.trimmed();
        b.stretch = c.flags & bandStretch;
        b.newPageAfter = c.flags & bandNewPageAfter;
        b.printIfEmpty = c.flags & bandPrintIfEmpty;
        b.canSplit = c.flags & bandBreaked;
        if (type == 2 || type == 3)
            b.printOnFirstPage = c.flags & bandOnFirstPage;
        if (type == 3)
            b.printOnLastPage = c.flags & bandOnLastPage;
        b.repeatOnEachPage = c.flags & bandRepeatHeader;
        b.visible = c.visible;
        if (o.band) {
            b.childBand = o.band->childBand;
            b.columns = std::clamp(o.band->columns, 1, 100);
            if (b.columns > 1) {
                b.columnWidthMm = xMm(std::clamp(o.band->columnWidth, 0, 100000));
                b.columnGapMm = xMm(std::clamp(o.band->columnGap, 0, 100000));
            }
        }
        b.script = c.script.join(u'\n');
        // A data band left out by printIf also leaves its records out of the sums, which a
        // hidden band of the earlier engine did not; and a hidden band's child printed there
        // only by a flag.
        const bool conditionFits = !isDataBand(type) && b.childBand.isEmpty();
        translateScript(o, conditionFits ? &b.printIf : nullptr);
        if (!kind)
            m_objects.warn(o, u"pás bez druhu (%1) se netiskne."_s.arg(type));
        return b;
    }

    ReportPage reportPage(int index)
    {
        const FrfPage &p = m_file.pages[size_t(index)];
        ReportPage page;
        page.name = p.name;
        page.paper = paperFor(p.paperSize);
        page.orientation = p.landscape ? Orientation::Landscape : Orientation::Portrait;
        if (page.paper == PaperSize::Custom) {
            QSizeF size(p.paperWidth / 10.0, p.paperHeight / 10.0);
            if (size.width() < 10 || size.height() < 10 || size.width() > 5000 || size.height() > 5000) {
                m_warnings << u"Stránka %1: rozměr papíru %2 × %3 mm nedává smysl, použit A4."_s.arg(p.name)
                                  .arg(size.width())
                                  .arg(size.height());
                page.paper = PaperSize::A4;
            } else {
                page.customSizeMm = p.landscape ? size.transposed() : size;
            }
        }
        // Objects stand on the paper; our bands start at the margins. A margin of 0, and all of
        // them when they are switched off, meant the edge the printer cannot print on, which
        // the file does not record.
        // A page printed only inside a sub-report keeps its own corner.
        const bool subreportPage = std::any_of(m_file.objects.begin(), m_file.objects.end(), [&](const FrfObject &o) {
            return o.type == int(ObjectType::Subreport) && o.subPage == index && o.page != index;
        });
        bool printerEdge = false;
        const auto margin = [&](int i) {
            if (subreportPage)
                return p.useMargins ? std::clamp(p.margins[i] * mmPerMarginPixel, 0.0, 100.0) : 0.0;
            if (!p.useMargins || p.margins[i] <= 0) {
                printerEdge = true;
                return printerEdgeMm;
            }
            return std::clamp(p.margins[i] * mmPerMarginPixel, 0.0, 100.0);
        };
        page.margins = {margin(0), margin(1), margin(2), margin(3)};
        if (printerEdge)
            m_warnings << u"Stránka %1: okraj 0 znamenal nepotisknutelný okraj tiskárny; použito %2 mm."_s.arg(p.name)
                              .arg(printerEdgeMm);
        const QPointF origin(page.margins.left / mmPerPixelX, page.margins.top / mmPerPixelY);
        page.columns = std::clamp(p.columns, 1, 20);
        page.columnGapMm = std::clamp(xMm(p.columnGap), 0.0, 500.0);
        page.printToPreviousPage = p.printToPreviousPage;
        page.script = p.script.join(u'\n');
        if (!page.script.trimmed().isEmpty())
            m_warnings << u"Stránka %1: skript se nespouští."_s.arg(p.name);

        // Bands in the walk's order (top to bottom), and the order in which objects look for
        // their band: by type, then from the top.
        const std::vector<const FrfObject *> objects = objectsOn(index);
        std::vector<const FrfObject *> bands;
        for (const FrfObject *o : objects)
            if (o->type == int(ObjectType::Band))
                bands.push_back(o);
        std::stable_sort(bands.begin(), bands.end(),
                         [](const FrfObject *a, const FrfObject *b) { return a->common.y < b->common.y; });
        std::vector<size_t> lookup(bands.size());
        for (size_t i = 0; i < bands.size(); ++i)
            lookup[i] = i;
        std::stable_sort(lookup.begin(), lookup.end(),
                         [&](size_t a, size_t b) { return bands[a]->common.frameType < bands[b]->common.frameType; });
        for (const FrfObject *o : bands)
            page.bands.push_back(band(*o, origin, bandKind(o->common.frameType, m_file.header.version)));

        const auto findBand = [&](const FrfCommon &c) -> int {
            for (size_t i : lookup) {
                const FrfCommon &b = bands[i]->common;
                if (isCrossBand(b.frameType) && c.x >= b.x && qint64(c.x) + c.width <= qint64(b.x) + b.width)
                    return int(i);
            }
            for (size_t i : lookup) {
                const FrfCommon &b = bands[i]->common;
                if (!isCrossBand(b.frameType) && c.y >= b.y && qint64(c.y) <= qint64(b.y) + b.height)
                    return int(i);
            }
            return -1;
        };
        // Sub-reports go after the other objects of their band.
        std::vector<const FrfObject *> ordered;
        for (const FrfObject *o : objects)
            if (o->type != int(ObjectType::Band) && o->type != int(ObjectType::Subreport))
                ordered.push_back(o);
        for (const FrfObject *o : objects)
            if (o->type == int(ObjectType::Subreport))
                ordered.push_back(o);
        for (const FrfObject *o : ordered) {
            const int at = findBand(o->common);
            std::vector<ReportObject> converted;
            if (at < 0) {
                converted = m_objects.convert(*o, origin);
            } else {
                const FrfCommon &b = bands[size_t(at)]->common;
                converted = m_objects.convert(*o, QPointF(isCrossBand(b.frameType) ? b.x : origin.x(), b.y));
            }
            // A round rectangle's shadow and text go with its shape.
            QString printIf;
            translateScript(*o, &printIf);
            for (ReportObject &obj : converted)
                obj.printIf = printIf;
            auto &target = at < 0 ? page.objects : page.bands[size_t(at)].objects;
            for (ReportObject &obj : converted)
                target.push_back(std::move(obj));
        }
        return page;
    }

    const FrfFile &m_file;
    QHash<QString, int> m_assigned;
    std::vector<std::pair<QString, QString>> m_scriptVariables;
    const CodePage &m_codePage;
    QStringList &m_warnings;
    FrfObjectConverter m_objects;
};

} // namespace

ReportTemplate convertFrf(const FrfFile &file, const QString &reportName, const FrfReadOptions &options,
                          QStringList &warnings)
{
    return Converter(file, options, warnings).run(reportName);
}

FrfTemplate loadFrfTemplate(const QByteArray &bytes, const QString &fileName, const FrfReadOptions &options)
{
    FrfTemplate t;
    try {
        t.file = readFrf(bytes, options);
    } catch (const FrfDamaged &damage) {
        throw AppError(
            u"Šablonu sestavy „%1“ nelze přečíst: poškozený nebo cizí soubor na pozici %2 (0x%3): %4."_s.arg(fileName)
                .arg(damage.offset)
                .arg(damage.offset, 0, 16)
                .arg(damage.what));
    }
    t.warnings = t.file.warnings;
    t.report = convertFrf(t.file, QFileInfo(fileName).completeBaseName(), options, t.warnings);
    return t;
}

void registerFrfTemplateFormat()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TemplateFormat format;
        format.name = u"FastReport 2.x"_s;
        format.recognises = looksLikeFrf;
        format.loadWithWarnings = [](const QByteArray &bytes, const QString &name, QStringList &warnings) {
            FrfTemplate loaded = loadFrfTemplate(bytes, name);
            warnings << loaded.warnings;
            return std::move(loaded.report);
        };
        registerTemplateFormat(std::move(format));
    });
}

} // namespace ergotab::report::frf
