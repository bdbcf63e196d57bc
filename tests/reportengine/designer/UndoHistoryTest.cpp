// Five hundred random edits of a shipped template, undone completely, must give the file we
// started from byte for byte; redone completely, the file after the last edit.

#include "reportengine/designer/core/Arrange.h"
#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"

#include <gtest/gtest.h>

#include <random>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

class RandomEditor
{
public:
    explicit RandomEditor(DesignerModel &model)
        : m_model(model)
    {
    }

    void edit()
    {
        const auto &page = m_model.reportTemplate().pages[0];
        switch (pick(16)) {
        case 0: {
            const BandKind kind = bandKinds()[pick(int(bandKinds().size()))];
            m_model.insertBand(0, suggestedBandPosition(page, kind), newBand(kind));
            break;
        }
        case 1:
            if (page.bands.size() > 2)
                m_model.deleteBand(anyBand());
            break;
        case 2: {
            std::vector<ReportObject> objects;
            for (int n = 1 + pick(3); n > 0; --n)
                objects.push_back(newObject(objectKinds()[pick(int(objectKinds().size()))],
                                            QRectF(pick(100), pick(10), 1 + pick(50), 1 + pick(8))));
            m_model.insertObjects(anyContainer(), objects, QStringLiteral("Vložit"));
            break;
        }
        case 3:
            m_model.deleteObjects(someObjects(), QStringLiteral("Odstranit"));
            break;
        case 4:
            m_model.moveObjects(someObjects(), QPointF(pick(9) - 4, pick(5) - 2));
            break;
        case 5:
            m_model.resizeObjects(someObjects(), QSizeF(pick(9) - 4, pick(5) - 2));
            break;
        case 6:
            m_model.editObjects(
                someObjects(),
                [this](ReportObject &o) {
                    o.fill = QColor::fromHsv(pick(360), 80, 240);
                    if (auto *text = std::get_if<TextObject>(&o.content)) {
                        text->text += QStringLiteral(" [Pracov]");
                        text->font.sizePt = 6 + pick(10);
                    }
                },
                QStringLiteral("Vlastnosti"));
            break;
        case 7:
            pick(2) ? (void)m_model.bringToFront(someObjects()) : (void)m_model.sendToBack(someObjects());
            break;
        case 8: {
            const ObjectRefs refs = someObjects();
            std::vector<QRectF> rects;
            for (const ObjectRef &ref : refs)
                rects.push_back(m_model.object(ref).rect.translated(1, 1));
            m_model.moveObjectsToBand(refs, anyContainer(), rects);
            break;
        }
        case 9: {
            PageSetup setup = PageSetup::of(page);
            setup.margins.left = 5 + pick(20);
            setup.orientation = pick(2) ? Orientation::Landscape : Orientation::Portrait;
            m_model.setPageSetup(0, setup);
            break;
        }
        case 10: {
            const BandRef ref = anyBand();
            Band options = m_model.band(ref);
            options.height = 3 + pick(30);
            options.stretch = pick(2);
            m_model.setBandOptions(ref, options, QStringLiteral("Pás"));
            break;
        }
        case 11:
            m_model.moveBand(anyBand(), pick(int(page.bands.size())));
            break;
        case 12: {
            const ObjectRefs refs = someObjects();
            std::vector<QRectF> rects;
            for (const ObjectRef &ref : refs)
                rects.push_back(m_model.object(ref).rect);
            m_model.setRects(refs, distributed(aligned(rects, Alignment::Top), Direction::Horizontal),
                             QStringLiteral("Zarovnat"));
            break;
        }
        case 13: {
            // Report pages after the first come and go (the edits above work on the first).
            const int pages = int(m_model.reportTemplate().pages.size());
            if (pages > 1 && pick(2))
                m_model.deleteReportPage(1 + pick(pages - 1));
            else
                m_model.insertReportPage(1 + pick(pages), PageSetup::of(page));
            break;
        }
        case 14:
            m_model.setTemplateInfo(
                {QStringLiteral("Sestava %1").arg(pick(50)), QStringLiteral("Popis %1").arg(pick(50)), bool(pick(2))});
            break;
        case 15: {
            std::vector<TemplateVariable> variables = m_model.reportTemplate().variables;
            if (!variables.empty() && pick(3) == 0)
                variables.erase(variables.begin() + pick(int(variables.size())));
            else
                variables.push_back(
                    {QStringLiteral("V%1").arg(pick(1000)), QStringLiteral("Pracov * %1").arg(pick(9)), QString()});
            m_model.setVariables(variables);
            break;
        }
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    BandRef anyBand() { return {0, pick(int(m_model.reportTemplate().pages[0].bands.size()))}; }
    // A band or, now and then, the page's own objects.
    BandRef anyContainer() { return pick(5) == 0 ? BandRef::pageObjects(0) : anyBand(); }
    ObjectRefs someObjects()
    {
        const BandRef band = anyContainer();
        ObjectRefs refs;
        const int count = int(m_model.objectsIn(band).size());
        for (int i = 0; i < count; ++i)
            if (pick(3) == 0)
                refs.push_back({band.page, band.band, i});
        return refs;
    }

    DesignerModel &m_model;
    std::mt19937 m_random {14};
};

} // namespace

TEST(UndoHistory, FiveHundredRandomEditsUndoneAndRedoneGiveTheSameFilesByteForByte)
{
    DesignerModel model;
    model.reset(loadTemplate(QStringLiteral(ERGOTAB_SOURCE_DIR "/Reports/Kategorizace prací.frf")));
    const QByteArray start = writeTemplateXml(model.reportTemplate());
    RandomEditor editor(model);
    while (model.undoStack().count() < 500)
        editor.edit();
    const QByteArray end = writeTemplateXml(model.reportTemplate());
    ASSERT_NE(start, end);

    while (model.undoStack().canUndo())
        model.undoStack().undo();
    EXPECT_EQ(writeTemplateXml(model.reportTemplate()), start);
    EXPECT_FALSE(model.isModified());
    while (model.undoStack().canRedo())
        model.undoStack().redo();
    EXPECT_EQ(writeTemplateXml(model.reportTemplate()), end);
}
