// libFuzzer target: the settings file reader takes any bytes, and what it reads, written again, reads back the
// same: a store that has been read and written once never changes a value it did not set.
#include "text/IniText.h"

#include <cstdint>
#include <cstdlib>

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const IniText::Values values = IniText::parse(bytes);
    if (IniText::parse(IniText::compose(values)) != values)
        std::abort();
    return 0;
}
