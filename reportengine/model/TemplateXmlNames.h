#pragma once

// The words the template file uses for enumerated values, shared by its reader and writer.

#include "reportengine/model/ReportTemplate.h"

#include <QLatin1StringView>

#include <optional>
#include <span>

namespace ergotab::report::xmlnames {

template <typename E> struct Word
{
    E value;
    QLatin1StringView text;
};

template <typename E> QLatin1StringView wordFor(std::span<const Word<E>> words, E value)
{
    for (const auto &w : words)
        if (w.value == value)
            return w.text;
    return words.front().text;
}

template <typename E> std::optional<E> valueFor(std::span<const Word<E>> words, QStringView text)
{
    for (const auto &w : words)
        if (text.compare(w.text, Qt::CaseInsensitive) == 0)
            return w.value;
    return std::nullopt;
}

std::span<const Word<BandKind>> bandKinds();
std::span<const Word<PaperSize>> paperSizes();
std::span<const Word<Orientation>> orientations();
std::span<const Word<HAlign>> hAligns();
std::span<const Word<VAlign>> vAligns();
std::span<const Word<ShapeItem::Shape>> shapes();
std::span<const Word<BarcodeType>> barcodeTypes();
std::span<const Word<ControlKind>> controlKinds();
std::span<const Word<Qt::PenStyle>> penStyles();

// Element names of the object kinds, in the order of ObjectContent's alternatives.
std::span<const QLatin1StringView> objectElements();

} // namespace ergotab::report::xmlnames
