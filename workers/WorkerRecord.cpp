#include "WorkerRecord.h"

#include "WorkerFields.h"
#include "storage/AppError.h"
#include "storage/dbf/Table.h"

#include <QRegularExpression>

namespace ergotab::workers {

int parseWholeNumber(const QString &text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?[0-9]{1,9}\\s*$"));
    if (!wholeNumber.match(text).hasMatch())
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return text.trimmed().toInt();
}

WorkerRecord readWorker(const dbf::Table &workers)
{
    WorkerRecord w;
    w.persNum = workers.fieldText(field::PersNum);
    w.profese = workers.fieldText(field::Profese);
    w.lName = workers.fieldText(field::LName);
    w.fName = workers.fieldText(field::FName);
    w.birthDate = workers.fieldText(field::BirthDate);
    w.birthNum = workers.fieldText(field::BirthNum);
    w.address = workers.fieldText(field::Address);
    w.zip = workers.fieldText(field::Zip);
    w.city = workers.fieldText(field::City);
    if (!workers.isFieldEmpty(field::RiskLen))
        w.riskLen = QString::number(workers.fieldInt(field::RiskLen));
    w.lenType = workers.fieldInt(field::LenType);
    w.reviDate = workers.fieldText(field::ReviDate);
    w.result = workers.fieldInt(field::Result);
    return w;
}

void writeWorker(dbf::Table &workers, const WorkerRecord &w, int riskLen)
{
    workers.setFieldText(field::PersNum, w.persNum);
    workers.setFieldText(field::LName, w.lName);
    workers.setFieldText(field::FName, w.fName);
    workers.setFieldText(field::Address, w.address);
    workers.setFieldText(field::City, w.city);
    workers.setFieldText(field::Profese, w.profese);
    workers.setFieldText(field::Zip, w.zip);
    workers.setFieldText(field::BirthDate, w.birthDate);
    workers.setFieldText(field::BirthNum, w.birthNum);
    workers.setFieldInt(field::RiskLen, riskLen);
    workers.setFieldInt(field::LenType, w.lenType);
    workers.setFieldText(field::ReviDate, w.reviDate);
    workers.setFieldInt(field::Result, w.result);
}

} // namespace ergotab::workers
