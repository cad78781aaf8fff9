#pragma once

#include "text/RtfDocument.h"

#include <QByteArray>

#include <optional>

namespace tolvane {

// Reads RTF as RtfWriter, Windows word processors (\ansicpg936, GBK \'hh pairs) and LibreOffice (\loch,
// \hich, \dbch with associated \af \afs \ab \ai) write it, into formatted runs whose paragraphs are "\n".
// Bytes are decoded with the code page of the font they belong to (\cpg, \fcharset, else \ansicpg), one
// decoder per stretch of bytes so that double-byte pairs stay together. Destinations that hold no document
// text (style sheet, info, pictures, headers, every {\*...}) are skipped. A final paragraph mark ends the
// last paragraph and adds none.
class RtfReader final {
public:
    // Nothing when the data does not start as an RTF document ("{\rtf").
    static std::optional<RtfDocument> read(const QByteArray &data);
};

} // namespace tolvane
