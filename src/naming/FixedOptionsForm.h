#pragma once

#include "naming/NameRequest.h"

#include <array>

namespace tolvane {

// frmGudingzi ("选择取名信息"): sex, luck level and elements for fixed-character naming. Only 确定 leaves
// FixedCancelled false; every other way of closing cancels.
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

    // 确定. elements in the order 金 木 水 火 土.
    void confirm(bool female, bool full, const std::array<bool, 5> &elements)
    {
        m_request.sex = female ? QStringLiteral("女") : QStringLiteral("男");
        m_request.luckLevel = full ? QStringLiteral("全吉") : QStringLiteral("半吉");
        static const char16_t names[] = u"金木水火土";
        for (int i = 0; i < 5; ++i)
            m_request.elementWishes[i] = elements[i] ? QString(QChar(names[i])) : QString();
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
