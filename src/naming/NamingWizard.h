#pragma once

#include "data/Outcome.h"
#include "naming/NameRequest.h"
#include "text/UserMessage.h"

#include <optional>

namespace tolvane {

// Flags the naming wizard and the find-character window share with the dispatcher.
struct WizardFlags {
    bool wizardDone = false;
    bool namingCancelled = false;
};

// The naming wizard and its closing confirmation, as a state machine over the request. The window shows
// page() and calls one method per button; the command line and tests answer the same way. Pages are stacked:
// surname kind, name length, sex and elements, luck level, advanced. Personal naming goes through the pages
// from the name length on; name analysis asks the surname kind alone.
class NamingWizard final {
public:
    enum class Purpose { PersonalNaming, NameAnalysis };
    enum class Page { SurnameKind, NameLength, SexAndElements, Luck, Advanced };
    // Whether the wizard window is still open.
    enum class State { Open, DialogLast, Closed };

    NamingWizard(NameRequest &request, WizardFlags &flags, Purpose purpose);

    // The wizard opens: the first page by the surname length (0: surname kind; 1, 2: name length).
    void load();

    Page page() const { return m_page; }
    State state() const { return m_state; }
    // The caption of the wizard window: "采集取名信息", or "选择单姓复姓" when it opens on the surname-kind page.
    QString caption() const { return m_caption; }
    // The help label of the surname-kind page.
    QString surnameKindHelp() const { return m_surnameKindHelp; }
    // Whether 三字名 may be chosen (not after a compound surname).
    bool threeCharactersAllowed() const { return m_threeAllowed; }
    // Set when a page is entered fresh: the window then shows that page's preset selection
    // (name length 双字名; 男性名 with all five elements; 允许半吉; the suggested surname kind).
    bool presetPending() const { return m_preset; }
    // The surname kind the surname-kind page preselects: 单姓 unless the caller suggests otherwise (a name
    // whose first two characters are a known compound surname). The person's answer always wins.
    void suggestSurnameKind(SurnameKind kind) { m_suggestedKind = kind; }
    SurnameKind suggestedSurnameKind() const { return m_suggestedKind; }
    void presetShown() { m_preset = false; }
    // The main window shows the busy pointer once the wizard has been confirmed.
    bool busyRequested() const { return m_busy; }

    // Surname-kind page: 确定.
    void confirmSurnameKind(SurnameKind kind);
    // Name-length page: 确定 with 1, 2 or 3. A compound surname takes at most two given-name characters: the
    // page then stays with its message.
    std::optional<UserMessage> confirmNameLength(int length);
    // Sex-and-elements page: 确定; sex is none when neither option is selected. Returns the message to show
    // when the page stays. preface: the birth chart the elements are the suggestion of, shown above the result.
    std::optional<UserMessage> confirmSexAndElements(
        std::optional<Sex> sex, ElementSet elements, std::optional<ChartPreface> preface = std::nullopt);
    // Sex-and-elements page: 上一步.
    void backToNameLength();
    // Luck page: where the names come from, taken before its 确定 or 高级: the library (none) or the collections
    // chosen. Returns the message to show when the page must stay: no collection chosen, or a three-character name.
    std::optional<UserMessage> chooseSource(const std::optional<ClassicSet> &classics);
    // The source the luck page shows: the one chosen last.
    std::optional<ClassicSet> source() const { return m_request.classics; }
    // Whether names may come from the classics (one- and two-character names only).
    bool classicsAllowed() const { return m_request.nameLength == 1 || m_request.nameLength == 2; }
    // Luck page: 确定 (to DialogLast) and 高级 (to the advanced page).
    void confirmLuck(LuckLevel level);
    void advanced(LuckLevel level);
    // Luck page: 上一步.
    void backToSexAndElements();
    // Advanced page: 确定 with the texts of the two combo boxes. Returns the message to show when the page stays.
    std::optional<UserMessage> confirmAdvanced(const QString &firstStrokes, const QString &groups);
    // The advanced page's check of the group count (1..20): the count, or the message the page shows.
    static Outcome<qint16> readGroupCount(const QString &groups);
    // Any page's 取消; the advanced page's 取消 also puts the first stroke count back to 1.
    void cancel();
    void cancelAdvanced();
    // The wizard window closed by its frame button.
    void closeByFrame();

    // DialogLast: its text, its 确定, and its frame button (back to the page that opened it).
    QString dialogLastText() const;
    void confirmDialogLast();
    void closeDialogLast();

private:
    void show(Page page, bool preset);

    NameRequest &m_request;
    WizardFlags &m_flags;
    Purpose m_purpose;
    Page m_page = Page::NameLength;
    State m_state = State::Open;
    QString m_caption;
    QString m_surnameKindHelp;
    bool m_threeAllowed = true;
    bool m_preset = false;
    bool m_busy = false;
    SurnameKind m_suggestedKind = SurnameKind::Single;
};

} // namespace tolvane
