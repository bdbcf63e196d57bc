#pragma once

// One object record of the earlier engine as objects of our model (a round rectangle with text
// becomes a shape and a text on it), and dialog-page records as dialog controls. What cannot be
// carried over exactly is said in a warning naming the object.

#include "reportengine/frf/FrfFile.h"
#include "reportengine/model/ReportTemplate.h"
#include "storage/codepage/CodePage.h"

#include <functional>
#include <optional>

namespace ergotab::report::frf {

class FrfObjectConverter
{
public:
    FrfObjectConverter(const CodePage &codePage, QStringList &warnings, std::function<QString(int)> reportPageName);

    // `origin` is the corner, in the engine's pixels, the object's position becomes relative to.
    std::vector<ReportObject> convert(const FrfObject &o, QPointF origin);
    std::optional<DialogControl> control(const FrfObject &o);
    // A memo's lines decoded in the code page its font charset asks for, joined by '\n'.
    QString memoText(const FrfObject &o) const;
    void warn(const FrfObject &o, const QString &text);

private:
    ReportObject common(const FrfObject &o, QPointF origin);
    TextObject text(const FrfObject &o, const FrfMemo &m);
    void picture(const FrfObject &o, ReportObject &obj);
    void addIn(const FrfObject &o, ReportObject &obj, std::vector<ReportObject> &out);
    void placeholder(const FrfObject &o, ReportObject &obj, const QString &what);

    const CodePage &m_codePage;
    QStringList &m_warnings;
    std::function<QString(int)> m_reportPageName;
};

FontSpec fontSpec(const FrfFont &font);
// A memo's lines in the code page its font charset asks for (else `codePage`).
QStringList memoLines(const FrfObject &o, const CodePage &codePage);

} // namespace ergotab::report::frf
