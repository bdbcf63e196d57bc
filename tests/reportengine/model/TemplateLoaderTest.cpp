#include "reportengine/model/TemplateLoader.h"
#include "storage/AppError.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::report;
using namespace Qt::StringLiterals;

TEST(TemplateLoader, ChoosesTheFormatByContentAndRefusesOthersNamingTheFile)
{
    test::TempDir dir;
    ReportTemplate ours;
    ours.name = u"Naše"_s;
    // The extension says nothing: our XML under any name loads as XML.
    saveTemplate(ours, dir.file(u"a.txt"_s));
    EXPECT_EQ(loadTemplate(dir.file(u"a.txt"_s)).name, u"Naše"_s);

    // A binary template of the earlier engine starts with its version byte; a registered
    // format takes what it recognises.
    registerTemplateFormat({u"earlier"_s, [](const QByteArray &head) { return head.startsWith("\x18\xff\xff"); },
                            [](const QByteArray &bytes, const QString &) {
                                ReportTemplate r;
                                r.name = QString::number(bytes.size());
                                return r;
                            }});
    test::TempDir::write(dir.file(u"old.frf"_s), QByteArray("\x18\xff\xff\x01\x00", 5));
    EXPECT_EQ(loadTemplate(dir.file(u"old.frf"_s)).name, u"5"_s);

    for (const QByteArray &bytes : {QByteArray("PK\x03\x04 zip"), QByteArray(), QByteArray("<html></html>")}) {
        test::TempDir::write(dir.file(u"other.frf"_s), bytes);
        try {
            loadTemplate(dir.file(u"other.frf"_s));
            ADD_FAILURE() << "accepted " << bytes.constData();
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().contains(dir.file(u"other.frf"_s))) << e.message().toStdString();
        }
    }
    EXPECT_THROW(loadTemplate(dir.file(u"missing.frf"_s)), AppError);
}
