#pragma once

#include "storage/document/Document.h"

#include <gtest/gtest.h>

namespace ergotab::test {

// A document made in the test, with rows appended in the order given, so physical order and
// UpLink order can differ on purpose.
class ReportDocument
{
public:
    ReportDocument() { document.start(); }
    ~ReportDocument() { document.shutDown(); }

    void node(int index, int upLink, const QString &text) { document.objects().appendRecord({index, upLink, 0, text}); }
    // An assessment with its factor masks from Fak01 on, then employees and women.
    void assessment(int index, int upLink, const QString &text, const QVariantList &masks = {}, int employees = 0,
                    int women = 0)
    {
        QVariantList row {index, upLink, 1, text};
        for (int f = 0; f < 13; ++f)
            row << (f < masks.size() ? masks[f] : QVariant(0));
        row << employees << women;
        document.objects().appendRecord(row);
    }
    QString objectTable() const { return document.workFolder() + QStringLiteral("Object.dbf"); }

    Document document;
};

} // namespace ergotab::test
