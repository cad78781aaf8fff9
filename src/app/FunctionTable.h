#pragma once

#include <QString>

#include <optional>
#include <span>

namespace tolvane {

class Dispatcher;
struct DispatchInput;

// The four functions of the main selector, in its order.
enum class Function { PersonalNaming, NameAnalysis, CompanyAnalysis, OtherFunctions, SuggestedNames };

// The lookups of "其他功能", in the order of their selector.
enum class Lookup {
    PersonalNumber,
    CompanyNumber,
    Sancai,
    PersonOuterPairing,
    CharacterStrokes,
    CharactersByStrokes,
    StrokeNumbers,
    Homophones,
    CharacterMeanings,
    BirthChart,
};

// One row per function: its caption in the selector, what choosing it switches in the window (the tool tip
// of the name box, the two panels, and the lookup box's tool tip where it changes), the command line's name
// for it and the dispatcher's handler, which runs it and stores its result.
struct FunctionRow {
    Function function;
    const char16_t *caption;
    const char16_t *nameToolTip;
    bool otherPanelEnabled;
    bool gridPanelEnabled;
    const char16_t *otherToolTip; // null: left as it is
    const char *commandName;
    void (Dispatcher::*run)(const DispatchInput &input);
};

// One row per lookup: its caption, the tool tip of the lookup box, the command line's name for it and the
// dispatcher's handler, which runs it and stores its result.
struct LookupRow {
    Lookup lookup;
    const char16_t *caption;
    const char16_t *toolTip;
    const char *commandName;
    void (Dispatcher::*run)(const QString &input);
};

class FunctionTable final {
public:
    // The rows in selector order.
    static std::span<const FunctionRow> functions();
    static std::span<const LookupRow> lookups();
    static const FunctionRow &row(Function function);
    static const LookupRow &row(Lookup lookup);

    // The selector texts, exactly as shown; any other text is no function or lookup.
    static std::optional<Function> functionFromCaption(const QString &caption);
    static std::optional<Lookup> lookupFromCaption(const QString &caption);
    static std::optional<Lookup> lookupFromCommandName(const QString &name);
};

} // namespace tolvane
