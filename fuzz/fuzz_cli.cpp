// libFuzzer target: the command line as a whole. The input is the argument list, one argument a line (UTF-8);
// tolvane-cli runs it in-process against the library beside this program and must end with status 0, 1 or 2
// whatever it is given. Two things are kept out: "correct" would change the library between runs, and
// --rtf is sent to a scratch file beside this program instead of wherever the input points.
#include "app/AppInfo.h"
#include "cli/CliRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tolvane;

namespace {

QString g_scratch;
constexpr int kMaxArguments = 16;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Never destroyed: at exit Qt's own globals are gone before anything a static would destroy.
    new QCoreApplication(*argc, *argv);
    QCoreApplication::setApplicationName(AppInfo::applicationName());
    g_scratch = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("fuzz_cli-scratch.rtf"));
    if (!QFileInfo::exists(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("namedbs.mdb"))))
        std::fprintf(stderr, "no namedbs.mdb beside %s: only the failure paths are reached\n", (*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 512)
        return 0;
    QStringList arguments = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
    if (arguments.size() > kMaxArguments || arguments.contains(QStringLiteral("correct")))
        return 0;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i).startsWith(QStringLiteral("--rtf")))
            arguments[i] = QStringLiteral("--rtf=") + g_scratch;
    }
    arguments.prepend(QStringLiteral("tolvane-cli"));
    const int status = CliRunner::run(arguments);
    if (status < 0 || status > 2)
        std::abort();
    return 0;
}
