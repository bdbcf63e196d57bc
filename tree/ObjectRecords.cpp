#include "ObjectRecords.h"

#include "HighestIndex.h"

#include "storage/document/Document.h"
#include "storage/document/TableFields.h"

namespace ergotab::tree {

bool locateObject(dbf::Table &objects, int index)
{
    objects.setFiltered(false);
    objects.setFilter(QString());
    return objects.locate(fields::object::Index, index);
}

int placementParent(dbf::Table &objects, int selectedIndex)
{
    if (selectedIndex == 0 || !locateObject(objects, selectedIndex))
        return 0;
    if (objects.fieldInt(fields::object::Type) != NodeType)
        return objects.fieldInt(fields::object::UpLink);
    return objects.fieldInt(fields::object::Index);
}

int nextObjectIndex(Document &document)
{
    return HighestObjectIndex(document) + 1;
}

void recordObjectIndex(Document &document, int index)
{
    document.cachedHighestObjectIndex = index;
}

int NewObjectRecord(Document &document, int type, int upLink)
{
    const int index = nextObjectIndex(document);
    dbf::Table &objects = document.objects();
    objects.setFiltered(false);
    objects.setFilter(QString());
    try {
        objects.append();
        objects.setFieldInt(fields::object::Index, index);
        objects.setFieldInt(fields::object::Type, type);
        objects.setFieldInt(fields::object::UpLink, upLink);
        objects.post();
    } catch (...) {
        objects.cancel();
        throw;
    }
    recordObjectIndex(document, index);
    return index;
}

} // namespace ergotab::tree
