// libFuzzer target: the Info.txt reader takes any bytes (UTF-8, else GB18030). Whatever header and footer it
// reads, saving them and reading the file again gives the same two texts, as long as neither holds one of the
// markers (a text with a marker in it cannot be told apart from the file's structure).
#include "app/ReportInfo.h"
#include "text/PlainTextFile.h"

#include <cstdint>
#include <cstdlib>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const ReportInfo::Texts texts = ReportInfo::parse(PlainTextFile::decode(bytes));
    const QString markers[] = { QStringLiteral("抬头信息："), QStringLiteral("结尾信息：") };
    for (const QString &marker : markers) {
        if (texts.header.contains(marker) || texts.footer.contains(marker))
            return 0;
    }
    const QByteArray saved = PlainTextFile::encode(ReportInfo::compose(texts.header, texts.footer));
    const ReportInfo::Texts again = ReportInfo::parse(PlainTextFile::decode(saved));
    if (again.header != texts.header || again.footer != texts.footer)
        std::abort();
    return 0;
}
