#include "naming/NamingWizard.h"

#include "naming/ClassicNameSearch.h"
#include "text/VbText.h"

namespace tolvane {

NamingWizard::NamingWizard(NameRequest &request, WizardFlags &flags, Purpose purpose)
    : m_request(request)
    , m_flags(flags)
    , m_purpose(purpose)
    , m_caption(QStringLiteral("采集取名信息"))
    , m_surnameKindHelp(QStringLiteral("您输入的姓氏是单姓还是复姓？请选择，然后点击“确定”。“取消”表示放弃。"
                                       "如“刘”是单姓，“诸葛”是复姓。"))
{
}

void NamingWizard::show(Page page, bool preset)
{
    m_page = page;
    m_preset = preset;
    m_state = State::Open;
}

void NamingWizard::load()
{
    m_flags.wizardDone = false;
    switch (m_request.surnameLength) {
    case 1:
        show(Page::NameLength, true);
        m_request.surnameKind = SurnameKind::Single;
        break;
    case 2:
        show(Page::NameLength, true);
        m_request.surnameKind = SurnameKind::Compound;
        m_threeAllowed = false;
        break;
    default:
        show(Page::SurnameKind, true);
        m_caption = QStringLiteral("选择单姓复姓");
        m_surnameKindHelp = QStringLiteral("您输入的姓名中，姓氏是单姓还是复姓，请选择。");
        break;
    }
}

void NamingWizard::confirmSurnameKind(SurnameKind kind)
{
    m_request.surnameKind = kind;
    if (m_purpose == Purpose::PersonalNaming) {
        show(Page::NameLength, true);
        if (kind == SurnameKind::Compound)
            m_threeAllowed = false;
    } else {
        m_state = State::Closed;
        m_busy = true;
    }
}

std::optional<UserMessage> NamingWizard::confirmNameLength(int length)
{
    // The window never offers 三字名 after a compound surname; the command line can ask for it.
    if (length == 3 && !m_threeAllowed)
        return UserMessage::plain(QStringLiteral("复姓最多只能取双字名。"));
    m_request.nameLength = qint16(length);
    m_request.elementWishes = ElementSet::all();
    m_request.chartPreface.reset();
    show(Page::SexAndElements, true);
    return std::nullopt;
}

std::optional<UserMessage> NamingWizard::confirmSexAndElements(
    std::optional<Sex> sex, ElementSet elements, std::optional<ChartPreface> preface)
{
    if (!sex)
        return UserMessage::plain(QStringLiteral("必须选择性别选项。"));
    m_request.sex = *sex;
    m_request.elementWishes = elements;
    m_request.chartPreface = std::move(preface);
    show(Page::Luck, true);
    return std::nullopt;
}

void NamingWizard::backToNameLength()
{
    show(Page::NameLength, false);
}

std::optional<UserMessage> NamingWizard::chooseSource(const std::optional<ClassicSet> &classics)
{
    if (classics) {
        if (std::optional<UserMessage> problem = ClassicNameSearch::sourceProblem(*classics, m_request.nameLength))
            return problem;
    }
    m_request.classics = classics;
    return std::nullopt;
}

void NamingWizard::confirmLuck(LuckLevel level)
{
    m_request.luckLevel = level;
    m_flags.wizardDone = true;
    // DialogLast opens, and its load resets the flag until its own 确定.
    m_state = State::DialogLast;
    m_flags.wizardDone = false;
}

void NamingWizard::advanced(LuckLevel level)
{
    m_request.luckLevel = level;
    show(Page::Advanced, true);
}

void NamingWizard::backToSexAndElements()
{
    show(Page::SexAndElements, false);
}

std::optional<UserMessage> NamingWizard::confirmAdvanced(const QString &firstStrokes, const QString &groups)
{
    const std::optional<qint16> start = toInt16(trimSpaces(firstStrokes));
    if (!start)
        return UserMessage::plain(QStringLiteral("名字笔画数应为数字。"));
    if (*start < 1 || *start > 29)
        return UserMessage::plain(QStringLiteral("名字笔画数应在1至29之间。"));
    const Outcome<qint16> count = readGroupCount(groups);
    if (!count.value)
        return count.message();
    m_request.firstStrokeStart = *start;
    m_request.groupLimit = qint16(*count.value + 1);
    m_flags.wizardDone = true;
    m_state = State::DialogLast;
    m_flags.wizardDone = false;
    return std::nullopt;
}

Outcome<qint16> NamingWizard::readGroupCount(const QString &groups)
{
    const std::optional<qint16> count = toInt16(trimSpaces(groups));
    if (!count)
        return Outcome<qint16>::refused(UserMessage::plain(QStringLiteral("取名组数应为数字。")));
    if (*count < 1 || *count > 20)
        return Outcome<qint16>::refused(UserMessage::plain(QStringLiteral("取名组数应在1至20之间。")));
    return *count;
}

void NamingWizard::cancel()
{
    m_request.surnameKind.reset();
    if (m_purpose == Purpose::PersonalNaming)
        m_request.nameLength = 0;
    m_flags.namingCancelled = true;
    m_state = State::Closed;
}

void NamingWizard::cancelAdvanced()
{
    cancel();
    m_request.firstStrokeStart = 1;
}

void NamingWizard::closeByFrame()
{
    if (m_flags.wizardDone || m_purpose == Purpose::NameAnalysis) {
        m_state = State::Closed;
        return;
    }
    cancel();
}

QString NamingWizard::dialogLastText() const
{
    switch (m_request.nameLength) {
    case 1:
        return QStringLiteral("所有取名信息已采集完毕。您选择了单字名，电脑可能要用1-4秒时间为您找出良好配置来，"
                              "但也可能没有合适组合。现在“确定”吧！（稍等片刻）");
    case 2:
        return QStringLiteral("所有取名信息已采集完毕。您选择了双字名，电脑可能要用2-10秒时间为您找出良好配置来，"
                              "但也可能没有合适组合。现在“确定”吧！（稍等一会）");
    case 3:
        return QStringLiteral("所有取名信息已采集完毕。您选择了三字名，电脑可能要用3-20秒时间为您找出良好配置来，"
                              "但也可能没有合适组合。现在“确定”吧！（稍等一会）");
    default:
        return {};
    }
}

void NamingWizard::confirmDialogLast()
{
    m_flags.wizardDone = true;
    m_state = State::Closed;
    m_busy = true;
}

void NamingWizard::closeDialogLast()
{
    m_state = State::Open;
}

} // namespace tolvane
