#pragma once

// Parts of a template file this version of the program does not know: kept as they were read
// and written back unchanged, so a template saved by a newer program survives a round trip.

#include <QString>

#include <utility>
#include <vector>

namespace ergotab::report {

struct XmlNode
{
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    QString text;
    std::vector<XmlNode> children;

    bool operator==(const XmlNode &) const = default;
};

// What an element held beyond the attributes and children the reader understood.
struct UnknownXml
{
    std::vector<std::pair<QString, QString>> attributes;
    std::vector<XmlNode> elements;

    bool empty() const { return attributes.empty() && elements.empty(); }
    bool operator==(const UnknownXml &) const = default;
};

} // namespace ergotab::report
