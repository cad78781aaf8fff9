// libFuzzer target: the surname check of personal naming and the pattern of fixed-character naming (王-明,
// 王明-) take any text against the real library. The check either refuses with one message or gives the one
// or two surname characters with their stroke counts; a three-character pattern keeps its characters, and a
// given-name character other than "-" has its strokes looked up. The library is never reported as failing.
#include "data/StrokeLookup.h"
#include "text/Characters.h"
#include "text/VbText.h"

#include <QByteArray>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace tolvane;

namespace {

QString g_library;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QByteArray fromEnvironment = qgetenv("TOLVANE_LIBRARY");
    g_library
        = fromEnvironment.isEmpty() ? QStringLiteral(TOLVANE_FUZZ_LIBRARY) : QString::fromLocal8Bit(fromEnvironment);
    if (!QFileInfo(g_library).isFile()) {
        std::fprintf(stderr, "no library at %s: set TOLVANE_LIBRARY\n", qPrintable(g_library));
        std::exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64)
        return 0; // the input boxes are short; long texts only slow the search down
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const Outcome<StrokeLookup::Surname> checked = StrokeLookup::checkSurname(Library(g_library), text);
    check(!checked.databaseFailed && checked.value);
    const StrokeLookup::Surname &surname = *checked.value;
    if (!surname.accepted) {
        check(checked.messages.size() == 1);
    } else {
        check(checked.messages.isEmpty());
        // Characters, not UTF-16 units: 𠀀 is one character of a surname.
        const qsizetype length = splitCharacters(trimSpaces(text)).size();
        check(surname.length == length && (length == 1 || length == 2));
        for (qsizetype i = 0; i < length; ++i)
            check(surname.strokes[i] != StrokeLookup::kNotInLibrary);
    }

    // The controller parses a pattern when the trimmed name has three characters.
    const QString pattern = trimSpaces(text);
    const Outcome<StrokeLookup::FixedPattern> outcome = StrokeLookup::parseFixedPattern(Library(g_library), pattern);
    check(!outcome.databaseFailed && outcome.messages.isEmpty() && outcome.value);
    const StrokeLookup::FixedPattern &parsed = *outcome.value;
    if (splitCharacters(pattern).size() == 3) {
        check(parsed.chars[0] + parsed.chars[1] + parsed.chars[2] == pattern);
        const QString dash = QStringLiteral("-");
        check(parsed.fixedCharStrokes.has_value() == (parsed.chars[1] != dash || parsed.chars[2] != dash));
    }
    return 0;
}
