#include "library/core/LibraryFiles.h"
#include "library/core/LibrarySource.h"
#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"
#include "storage/document/FactorCatalogue.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QHash>

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::library;

// The Library.LIB the build puts beside the program, read back by the program's own code.
TEST(ShippedLibrary, HoldsTheSamplesAndTemplatesItPromises)
{
    LibraryWorkCopy copy;
    ASSERT_EQ(copy.open(QStringLiteral(ERGOTAB_PROGRAM_DIR "/Library.LIB")), QString());
    dbf::Table &samples = copy.LibTable();
    QHash<int, int> typeOf;
    int assessments = 0;
    int sectors = 0;
    for (samples.first(); !samples.eof(); samples.next()) {
        const int index = samples.fieldInt(QStringLiteral("Index"));
        const int type = samples.fieldInt(QStringLiteral("Type"));
        const int upLink = samples.fieldInt(QStringLiteral("UpLink"));
        EXPECT_FALSE(typeOf.contains(index)) << "Index " << index << " twice";
        EXPECT_FALSE(samples.fieldText(QStringLiteral("Text")).trimmed().isEmpty());
        typeOf.insert(index, type);
        if (upLink != 0) {
            EXPECT_EQ(typeOf.value(upLink, -1), 0) << "parent of " << index << " comes first and is a node";
        }
        if (type == 0 && upLink == 0)
            ++sectors;
        if (type != 1)
            continue;
        ++assessments;
        for (const Factor &f : factorCatalogue()) {
            const int mask = samples.fieldInt(f.fieldName);
            // The typical case: exactly one category per factor, 4 only where the factor has it.
            EXPECT_TRUE(mask == 1 || mask == 2 || mask == 4 || (mask == 8 && f.category4Offered))
                << samples.fieldText(QStringLiteral("Text")).toStdString() << " " << f.fieldName.toStdString();
        }
    }
    EXPECT_GE(sectors, 10);
    EXPECT_GE(assessments, 60);

    MeasureTemplates templates(copy.OpatTable());
    for (const Factor &f : factorCatalogue()) {
        const QStringList specs = templates.specifications(f.number);
        EXPECT_GE(specs.size(), 2) << f.shortName.toStdString();
        for (const QString &spec : specs) {
            EXPECT_FALSE(spec.isEmpty());
            const QString text = templates.find(f.number, spec).value_or(QString());
            EXPECT_GE(text.size(), 80) << spec.toStdString();
        }
    }
    const QStringList noise = templates.specifications(3);
    EXPECT_TRUE(noise.contains(QStringLiteral("do 85 dB")));
    EXPECT_TRUE(noise.contains(QStringLiteral("nad 85 dB")));
}

// The shipped file holds exactly the reviewed sources: extracting it gives them back unchanged.
TEST(ShippedLibrary, ExtractsToItsOwnSourceFiles)
{
    test::TempDir out;
    extractLibrary(QStringLiteral(ERGOTAB_PROGRAM_DIR "/Library.LIB"), out.path());
    for (const QString &folder : {QStringLiteral("samples"), QStringLiteral("templates")}) {
        const QDir source(QStringLiteral(ERGOTAB_SOURCE_DIR "/data/library/") + folder);
        const QDir extracted(out.file(folder));
        ASSERT_EQ(extracted.entryList(QDir::Files), source.entryList(QDir::Files));
        for (const QString &name : source.entryList(QDir::Files))
            EXPECT_EQ(test::TempDir::read(extracted.filePath(name)), test::TempDir::read(source.filePath(name)))
                << name.toStdString() << ": run ergotab-cli library extract and commit what it writes";
    }
}
