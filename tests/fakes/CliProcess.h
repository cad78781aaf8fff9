#pragma once

#include "fakes/TestLibrary.h"

#include <QDir>
#include <QProcess>
#include <QStringList>

namespace tolvane {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

// Runs tolvane-cli (the build's, unless another copy is given) as a whole process with input on its standard
// input; status -1 when it does not end within a minute.
inline CliResult runCli(const QStringList &arguments, const QString &program = {}, const QByteArray &input = {},
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program.isEmpty() ? QDir(TestLibrary::binDir()).filePath(QStringLiteral("tolvane-cli")) : program,
        arguments);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000))
        return {};
    return { p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()) };
}

} // namespace tolvane
