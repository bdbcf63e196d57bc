#include "TableFiles.h"

#include "Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ergotab::dbf::tablefiles {

QString companion(const QString &dbfPath, const QString &extension)
{
    const QFileInfo info(dbfPath);
    const QString base = info.completeBaseName();
    const QDir dir = info.absoluteDir();
    const QStringList found = dir.entryList({base + QLatin1Char('.') + extension}, QDir::Files | QDir::CaseSensitive);
    if (!found.isEmpty())
        return dir.filePath(found.first());
    const QStringList anyCase = dir.entryList(QDir::Files);
    for (const QString &name : anyCase) {
        if (name.compare(base + QLatin1Char('.') + extension, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    const bool upper = info.suffix() == info.suffix().toUpper() && info.suffix() != info.suffix().toLower();
    return dir.filePath(base + QLatin1Char('.') + (upper ? extension.toUpper() : extension.toLower()));
}

QString registryKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool writeAt(QFile &file, qint64 offset, const QByteArray &bytes)
{
#ifdef Q_OS_UNIX
    // Every post writes a few small pieces: one pwrite each instead of a seek and a write.
    const int fd = file.handle();
    if (fd >= 0) {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
#endif
    return file.seek(offset) && file.write(bytes) == bytes.size();
}

void writeWhole(const QString &path, const QByteArray &bytes, const QString &tableName)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() || !f.flush())
        throw EngineError(QStringLiteral("Table %1: cannot write %2: %3").arg(tableName, path, f.errorString()));
}

void replace(const QList<QPair<QString, QString>> &tempAndTarget, const QString &tableName)
{
    QList<QPair<QString, QString>> movedAside; // backup, target
    QStringList placed;
    auto rollBack = [&] {
        for (const QString &target : placed)
            QFile::remove(target);
        for (const auto &[backup, target] : movedAside)
            QFile::rename(backup, target);
    };
    for (const auto &[temp, target] : tempAndTarget) {
        if (!QFile::exists(target))
            continue;
        const QString backup = target + QStringLiteral(".old~");
        QFile::remove(backup);
        if (!QFile::rename(target, backup)) {
            rollBack();
            throw EngineError(QStringLiteral("Table %1: cannot replace %2").arg(tableName, target));
        }
        movedAside.append({backup, target});
    }
    for (const auto &[temp, target] : tempAndTarget) {
        if (!QFile::rename(temp, target)) {
            rollBack();
            throw EngineError(QStringLiteral("Table %1: cannot replace %2").arg(tableName, target));
        }
        placed.append(target);
    }
    for (const auto &[backup, target] : movedAside)
        QFile::remove(backup);
}

} // namespace ergotab::dbf::tablefiles
