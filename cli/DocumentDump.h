#pragma once

#include <QByteArray>

namespace ergotab {
class Document;

// The open document as JSON: the version read from the file, then every row of the Object,
// Worker and Link tables with every field in table order (integers as numbers, texts as
// strings). Keys keep the tables' field order, which is why this is written by hand.
QByteArray documentToJson(Document &document);

} // namespace ergotab
