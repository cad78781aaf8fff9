#pragma once

#include "naming/ClassicNameSearch.h"
#include "naming/NameRequest.h"

namespace tolvane {

// The options of fixed-character naming ("选择取名信息"): sex, luck level, elements and where the names come
// from. Only 确定 leaves the run going; every other way of closing cancels it.
class FixedOptionsForm final {
public:
    FixedOptionsForm(NameRequest &request, bool &fixedCancelled)
        : m_request(request)
        , m_cancelled(fixedCancelled)
    {
    }

    static QString caption() { return QStringLiteral("选择取名信息"); }

    // The window opens with 男性名, 半吉 and all five elements chosen.
    void load() { m_cancelled = false; }
    bool closed() const { return m_closed; }

    // Where the names come from, taken before 确定: the library (none) or the collections chosen. Returns the
    // message to show when the window must stay because no collection is chosen.
    std::optional<UserMessage> chooseSource(const std::optional<ClassicSet> &classics)
    {
        if (classics) {
            if (std::optional<UserMessage> problem = ClassicNameSearch::sourceProblem(*classics, 2))
                return problem;
        }
        m_request.classics = classics;
        return std::nullopt;
    }
    // The source the window shows: the one chosen last.
    std::optional<ClassicSet> source() const { return m_request.classics; }

    // 确定; preface: the birth chart the elements are the suggestion of, shown above the result.
    void confirm(Sex sex, LuckLevel level, ElementSet elements, std::optional<ChartPreface> preface = std::nullopt)
    {
        m_request.sex = sex;
        m_request.luckLevel = level;
        m_request.elementWishes = elements;
        m_request.chartPreface = std::move(preface);
        m_closed = true;
        m_cancelled = false;
    }
    // 取消, the frame button, or any other way of closing.
    void cancel()
    {
        m_cancelled = true;
        m_closed = true;
    }

private:
    NameRequest &m_request;
    bool &m_cancelled;
    bool m_closed = false;
};

} // namespace tolvane
