#include "app/AddressOpener.h"

#include <QPointer>
#include <QProcess>

namespace tolvane {

namespace {

QString &openerProgram()
{
    static QString program = QStringLiteral("xdg-open");
    return program;
}

} // namespace

QString AddressOpener::program()
{
    return openerProgram();
}

void AddressOpener::setProgram(const QString &program)
{
    openerProgram() = program;
}

void AddressOpener::open(const QString &address, QObject *context, std::function<void(const QString &reason)> failed)
{
    // Without a parent: the program's end must not stop a browser the opener is still waiting for. The process
    // object goes once the opener has ended.
    auto *process = new QProcess;
    process->setProgram(program());
    process->setArguments({address});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    const QPointer<QObject> watched(context);
    const auto report = [watched, failed](const QString &reason) {
        if (watched && failed)
            failed(reason);
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        report(process->errorString());
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, address, report](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             report(QStringLiteral("%1 %2 没有成功（退出码 %3）")
                                        .arg(process->program(), address)
                                        .arg(status == QProcess::NormalExit ? exitCode : -1));
                         process->deleteLater();
                     });
    process->start();
}

} // namespace tolvane
