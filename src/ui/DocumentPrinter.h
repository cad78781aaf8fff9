#pragma once

class QPrinter;
class QTextDocument;

namespace tolvane {

// Prints a result as a word processor does: 25 mm of margin on every side of the text and, when the
// result runs past one page, "第 N 页 共 M 页" centred at the foot of each page. Only the pages of the
// printer's page range are printed (all when none is chosen).
class DocumentPrinter final {
public:
    static constexpr double kMarginMm = 25.0;

    // Sets the margins a printout keeps; the page number stands in the lower margin.
    static void setUpMargins(QPrinter &printer);
    // false when the printer could not be started.
    static bool print(const QTextDocument &document, QPrinter &printer);
};

} // namespace tolvane
