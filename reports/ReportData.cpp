#include "ReportData.h"

#include "ReportFields.h"

#include "storage/AppError.h"

namespace ergotab::reports {

ReportData::ReportData()
    : m_objects(sources::objects, sources::nodeFilter)
    , m_assessments(sources::assessments, sources::assessmentFilter)
{
}

ReportData::~ReportData()
{
    close();
}

void ReportData::open(const QString &objectTablePath, Use use)
{
    close();
    m_tablePath = objectTablePath;
    m_use = use;
    const QString index = use == Use::Run ? sources::runIndex : QString();
    try {
        m_assessments.open(objectTablePath, index);
        m_objects.open(objectTablePath, index);
    } catch (...) {
        close();
        throw;
    }
}

void ReportData::close()
{
    m_assessments.close();
    m_objects.close();
    if (m_use == Use::Run) {
        m_assessments.clearIndexName();
        m_objects.clearIndexName();
    }
    m_paths.reset();
}

const PathIndex &ReportData::paths()
{
    if (!isOpen())
        throw AppError(QStringLiteral("Data sestavy nejsou otevřena."));
    if (!m_paths)
        m_paths = PathIndex::read(m_tablePath);
    return *m_paths;
}

} // namespace ergotab::reports
