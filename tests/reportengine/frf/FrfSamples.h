#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>

namespace ergotab::test {

// The public sample templates of the earlier engine, copied with their licences.
inline QString frfSamplesDir()
{
    return QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/frf-samples/");
}

inline QByteArray frfSample(const QString &relativePath)
{
    QFile file(frfSamplesDir() + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Paths relative to frfSamplesDir(), sorted.
inline QStringList allFrfSamples()
{
    QStringList paths;
    QDirIterator it(frfSamplesDir(), {QStringLiteral("*.frf"), QStringLiteral("*.FRF")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << QDir(frfSamplesDir()).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

} // namespace ergotab::test
