// libFuzzer target: the RTF reader must take any bytes without crashing, and what it reads must survive
// being written and read again.
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<tolvane::RtfDocument> document = tolvane::RtfReader::read(bytes);
    if (!document)
        return 0;
    const std::optional<tolvane::RtfDocument> again = tolvane::RtfReader::read(tolvane::RtfWriter::write(*document));
    if (!again)
        std::abort(); // our own output must always be RTF
    QString first;
    QString second;
    for (const tolvane::RtfRun &run : *document)
        first += run.text;
    for (const tolvane::RtfRun &run : *again)
        second += run.text;
    if (first != second)
        std::abort(); // the writer keeps every character the reader can produce
    return 0;
}
