// R_PATH, R_KATEGORIE and R_MAXKATEGORIE as templates call them through the engine's handler.
#include "reports/ReportFunctions.h"
#include "ReportDocument.h"
#include "reports/ReportData.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::reports;
using ergotab::test::ReportDocument;

namespace {

// Calls a report function with argument texts; the evaluator reads a text as a number when it
// is one, as a quoted text when quoted, and records which texts it was asked to evaluate.
class Caller
{
public:
    explicit Caller(ReportDocument &doc) { data.open(doc.objectTable(), ReportData::Use::Run); }

    QVariant operator()(const QString &name, const QStringList &arguments)
    {
        QVariant result(QStringLiteral("untouched"));
        handled = ReportFunctions(data).call(name, arguments, evaluator(), result);
        return result;
    }
    QString path(int index) { return (*this)(QStringLiteral("R_PATH"), {QString::number(index)}).toString(); }

    ReportData data;
    bool handled = false;
    QStringList evaluated;

private:
    report::ArgumentEvaluator evaluator()
    {
        return [this](const QString &text) -> QVariant {
            evaluated << text;
            if (text.startsWith(QLatin1Char('\'')))
                return text.mid(1, text.size() - 2);
            bool ok = false;
            const int number = text.toInt(&ok);
            return ok ? QVariant(number) : QVariant(text);
        };
    }
};

} // namespace

TEST(ReportFunctions, PathJoinsNamesFromTheTopLevelDown)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("Závod"));
    doc.node(2, 1, QStringLiteral("Provoz"));
    doc.assessment(3, 2, QStringLiteral("Svářeč"));
    doc.assessment(4, 0, QStringLiteral("Ředitel"));
    Caller call(doc);
    EXPECT_EQ(call.path(0), QString());
    EXPECT_TRUE(call.handled);
    EXPECT_EQ(call.path(1), QStringLiteral("Závod"));
    EXPECT_EQ(call.path(2), QStringLiteral("Závod / Provoz"));
    EXPECT_EQ(call.path(3), QStringLiteral("Závod / Provoz / Svářeč"));
    EXPECT_EQ(call.path(4), QStringLiteral("Ředitel"));
    // Asked twice, and after a longer path through the same ancestors: the same answers.
    EXPECT_EQ(call.path(2), QStringLiteral("Závod / Provoz"));
}

TEST(ReportFunctions, PathKeepsEmptyNamesAsTheWalkJoinsThem)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("Závod"));
    doc.node(2, 1, QString()); // unnamed node in the middle
    doc.node(3, 2, QStringLiteral("Dílna"));
    doc.assessment(4, 3, QString()); // unnamed assessment
    doc.node(5, 0, QString());       // unnamed top level
    doc.node(6, 5, QStringLiteral("Sklad"));
    Caller call(doc);
    EXPECT_EQ(call.path(3), QStringLiteral("Závod /  / Dílna"));
    EXPECT_EQ(call.path(4), QStringLiteral("Závod /  / Dílna"));
    EXPECT_EQ(call.path(2), QStringLiteral("Závod"));
    EXPECT_EQ(call.path(6), QStringLiteral(" / Sklad"));
    EXPECT_EQ(call.path(5), QString());
}

TEST(ReportFunctions, PathStopsAtAMissingIndexALoopOrTheFirstOfTwinIndexes)
{
    ReportDocument doc;
    doc.node(1, 99, QStringLiteral("Sirotek")); // parent does not exist
    doc.node(2, 1, QStringLiteral("Dílna"));
    doc.node(3, 4, QStringLiteral("Kruh A")); // 3 and 4 are each other's parent
    doc.node(4, 3, QStringLiteral("Kruh B"));
    doc.node(5, 0, QStringLiteral("První"));
    doc.node(5, 0, QStringLiteral("Druhý")); // the same Index again
    doc.assessment(6, 5, QStringLiteral("Práce"));
    Caller call(doc);
    EXPECT_EQ(call.path(2), QStringLiteral("Sirotek / Dílna"));
    EXPECT_EQ(call.path(77), QString());
    EXPECT_EQ(call.path(3), QStringLiteral("Kruh B / Kruh A"));
    EXPECT_EQ(call.path(6), QStringLiteral("První / Práce"));
}

TEST(ReportFunctions, KategorieGivesTheHighestOfTheFourLowBits)
{
    ReportDocument doc;
    Caller call(doc);
    const auto kategorie = [&](const QString &argument) {
        return call(QStringLiteral("R_KATEGORIE"), {argument}).toInt();
    };
    EXPECT_EQ(kategorie(QStringLiteral("15")), 4);
    EXPECT_EQ(kategorie(QStringLiteral("16")), 0);
    EXPECT_EQ(kategorie(QStringLiteral("5")), 3);
    EXPECT_EQ(kategorie(QStringLiteral("0")), 0);
    EXPECT_EQ(kategorie(QStringLiteral("2")), 2);
    EXPECT_EQ(kategorie(QStringLiteral("18")), 2);  // bit 4 ignored
    EXPECT_EQ(kategorie(QStringLiteral("'8'")), 4); // a text holding a number
}

TEST(ReportFunctions, KategorieOfATextThatIsNoNumberIsAnErrorNamingIt)
{
    ReportDocument doc;
    Caller call(doc);
    try {
        call(QStringLiteral("R_KATEGORIE"), {QStringLiteral("'x'")});
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("R_KATEGORIE"))) << qPrintable(e.message());
        EXPECT_TRUE(e.message().contains(QStringLiteral("„x“"))) << qPrintable(e.message());
    }
}

TEST(ReportFunctions, MaxKategorieReadsDigitsAndRefusesAnythingElse)
{
    ReportDocument doc;
    Caller call(doc);
    const auto max = [&](const QString &argument) { return call(QStringLiteral("R_MAXKATEGORIE"), {argument}); };
    EXPECT_EQ(max(QStringLiteral("'0010200003010'")).toInt(), 3);
    EXPECT_EQ(max(QStringLiteral("''")).toInt(), 0);
    EXPECT_EQ(max(QStringLiteral("1203")).toInt(), 3); // a number is read as its text
    for (const QString &bad : {QStringLiteral("'12x4'"), QStringLiteral("'1 2'"), QStringLiteral("-3")}) {
        try {
            max(bad);
            ADD_FAILURE() << "no error for " << qPrintable(bad);
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Funkce R_MAXKATEGORIE"))) << qPrintable(e.message());
        }
    }
}

TEST(ReportFunctions, NamesAreTrimmedAndCaselessOnlyTheFirstArgumentIsEvaluatedOthersAreLeft)
{
    ReportDocument doc;
    doc.node(1, 0, QStringLiteral("Závod"));
    Caller call(doc);
    EXPECT_EQ(call(QStringLiteral("  r_Path "), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}),
              QVariant(QStringLiteral("Závod")));
    EXPECT_EQ(call.evaluated, QStringList({QStringLiteral("1")}));
    EXPECT_EQ(call(QStringLiteral("r_maxkategorie "), {QStringLiteral("'27'")}).toInt(), 7);

    call.evaluated.clear();
    EXPECT_EQ(call(QStringLiteral("R_PATHS"), {QStringLiteral("1")}), QVariant(QStringLiteral("untouched")));
    EXPECT_FALSE(call.handled);
    EXPECT_TRUE(call.evaluated.isEmpty());
}
