#include "app/FunctionTable.h"

#include "app/Dispatcher.h"

namespace tolvane {

namespace {

constexpr char16_t kOneNumberTip[] = u"在此输入一个1到81之间的数字，然后按回车或点击“执行”。";

// Each row stands at the place of its value, so that a row is found by index.
template <typename Row, std::size_t N> constexpr bool inOrder(const Row (&rows)[N], auto key)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (std::size_t(rows[i].*key) != i)
            return false;
    }
    return true;
}

} // namespace

// The rows are defined here, in the table's own scope: the handlers they name are the dispatcher's private
// members.
std::span<const FunctionRow> FunctionTable::functions()
{
    static constexpr FunctionRow kFunctions[] = {
        { Function::PersonalNaming, u"个人起名", u"在此输入姓氏，然后按回车或点击“执行”。", false, false, nullptr, "name",
            &Dispatcher::runPersonalNaming },
        { Function::NameAnalysis, u"姓名分析", u"在此输入姓名，然后按回车或点击“执行”。", false, true, nullptr, "analyze",
            &Dispatcher::runNameAnalysis },
        { Function::CompanyAnalysis, u"公司名分析", u"在此输入公司名称，然后按回车或点击“执行”。", false, false, nullptr,
            "company", &Dispatcher::runCompanyAnalysis },
        // Whatever lookup is selected, choosing the function gives the lookup box the hint for one number.
        { Function::OtherFunctions, u"其他功能", u"您选择了其他功能，可不必理会此输入框。", true, false, kOneNumberTip,
            "lookup", &Dispatcher::runLookup },
        { Function::SuggestedNames, u"推荐名字",
            u"在此输入姓氏，然后按回车或点击“执行”：按您的要求推荐完整的名字，好的在前，每个都说明理由。", false, false,
            nullptr, "suggest", &Dispatcher::runSuggestedNames },
    };
    static_assert(inOrder(kFunctions, &FunctionRow::function));
    return kFunctions;
}

std::span<const LookupRow> FunctionTable::lookups()
{
    static constexpr LookupRow kLookups[] = {
        { Lookup::PersonalNumber, u"81数解释（个人）", kOneNumberTip, "81man", &Dispatcher::showPersonalNumber },
        { Lookup::CompanyNumber, u"81数解释（公司）", kOneNumberTip, "81corp", &Dispatcher::showCompanyNumber },
        { Lookup::Sancai, u"三才数解释", u"在此输入三个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。", "sancai",
            &Dispatcher::showSancai },
        { Lookup::PersonOuterPairing, u"人格外格搭配", u"在此输入两个1到81之间的数字，以空格隔开，然后按回车或点击“执行”。",
            "pair", &Dispatcher::showPersonOuterPairing },
        { Lookup::CharacterStrokes, u"单字笔画数", u"在此输入最多50个汉字，然后按回车或点击“执行”。", "strokes",
            &Dispatcher::showCharacterStrokes },
        { Lookup::CharactersByStrokes, u"笔画查字", u"在此输入汉字笔画数（最大30），然后按回车或点击“执行”。", "by-strokes",
            &Dispatcher::listCharactersByStrokes },
        { Lookup::StrokeNumbers, u"姓名笔画数", u"在此输入姓名笔画数（用空格隔开，如“5 8 12”），然后按回车或点击“执行”。",
            "strokes-report", &Dispatcher::analyzeStrokeNumbers },
        { Lookup::Homophones, u"同音字查询", u"在此输入要查的同音字，然后按回车或点击“执行”。", "homophones",
            &Dispatcher::listHomophones },
        { Lookup::CharacterMeanings, u"字义查询", u"在此输入待查汉字，一次最多输入四个字，然后按回车或点击“执行”。",
            "meaning", &Dispatcher::showCharacterMeanings },
        { Lookup::BirthChart, u"生辰八字",
            u"在此输入出生日期和时间（北京时间），如“2024-02-04 16:30”；可再加出生地经度和时区，如“2024-02-04 16:30 "
            u"116.4 +08:00”；23点后出生而日柱按当日排的，末尾加“夜子时”。然后按回车或点击“执行”。",
            "bazi", &Dispatcher::showBirthChart },
    };
    static_assert(inOrder(kLookups, &LookupRow::lookup));
    return kLookups;
}

const FunctionRow &FunctionTable::row(Function function)
{
    Q_ASSERT(std::size_t(function) < functions().size());
    return functions()[std::size_t(function)];
}

const LookupRow &FunctionTable::row(Lookup lookup)
{
    Q_ASSERT(std::size_t(lookup) < lookups().size());
    return lookups()[std::size_t(lookup)];
}

std::optional<Function> FunctionTable::functionFromCaption(const QString &caption)
{
    for (const FunctionRow &r : functions()) {
        if (caption == QStringView(r.caption))
            return r.function;
    }
    return std::nullopt;
}

std::optional<Lookup> FunctionTable::lookupFromCaption(const QString &caption)
{
    for (const LookupRow &r : lookups()) {
        if (caption == QStringView(r.caption))
            return r.lookup;
    }
    return std::nullopt;
}

std::optional<Lookup> FunctionTable::lookupFromCommandName(const QString &name)
{
    for (const LookupRow &r : lookups()) {
        if (name == QLatin1String(r.commandName))
            return r.lookup;
    }
    return std::nullopt;
}

} // namespace tolvane
