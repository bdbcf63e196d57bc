#pragma once

#include <QProcess>
#include <QStringList>

namespace ergotab::test {

// ergotab-cli run as a separate process, the way scripts use it.
struct CliRun
{
    int exitCode = -1; // -2 for a crash, -1 when it did not finish
    QByteArray outBytes;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ERGOTAB_PROGRAM_DIR "/ergotab-cli"), args);
    if (!process.waitForFinished(60000))
        return {};
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.outBytes = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace ergotab::test
