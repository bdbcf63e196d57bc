#pragma once

#include "storage/dbf/Table.h"

namespace ergotab::test {

// The program's richest table: integers, a wide string, thirteen masks, three memos, an index.
inline void defineObjectTable(dbf::Table &t)
{
    using dbf::FieldKind;
    t.clearDefinitions();
    t.addFieldDef(QStringLiteral("Index"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("UpLink"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Type"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Text"), FieldKind::String, 250);
    for (int i = 1; i <= 13; ++i)
        t.addFieldDef(QStringLiteral("Fak%1").arg(i, 2, 10, QLatin1Char('0')), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Pracov"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Zen"), FieldKind::Integer);
    t.addFieldDef(QStringLiteral("Popis"), FieldKind::Memo);
    t.addFieldDef(QStringLiteral("Mereni"), FieldKind::Memo);
    t.addFieldDef(QStringLiteral("Opatreni"), FieldKind::Memo);
    t.addIndexDef(QStringLiteral("UPLINK"), QStringLiteral("UpLink"));
}

} // namespace ergotab::test
