#pragma once

#include <QString>

namespace ergotab::dbf {
class Table;
}

namespace ergotab::workers {

// One worker as the register shows it: texts as the fields hold them, the length in risk as
// typed, and the two choices as list positions (-1 for none).
struct WorkerRecord
{
    QString persNum;
    QString profese;
    QString lName;
    QString fName;
    QString birthDate;
    QString birthNum;
    QString address;
    QString zip;
    QString city;
    QString riskLen; // empty when the field is
    int lenType = -1;
    QString reviDate;
    int result = -1;

    // The row of the list: surname, a space, first name.
    QString listText() const { return lName + QLatin1Char(' ') + fName; }
    bool operator==(const WorkerRecord &) const = default;
};

// The whole number in the text (blanks around it allowed); an AppError with "'%s' is not a valid
// integer value" for anything else, the empty text included.
int parseWholeNumber(const QString &text);

// The current row of the Worker table.
WorkerRecord readWorker(const dbf::Table &workers);

// Writes every field into the row being edited or appended, in the order the register stores
// them; the length is given already converted. Texts are cut to their field's width.
void writeWorker(dbf::Table &workers, const WorkerRecord &worker, int riskLen);

} // namespace ergotab::workers
