#pragma once

#include "naming/NameRequest.h"

namespace tolvane {

// Asks whether the surname of typed stroke numbers is single or compound.
class SurnameKindForm final {
public:
    explicit SurnameKindForm(NameRequest &request)
        : m_request(request)
    {
    }

    static QString caption() { return QStringLiteral("单姓复姓"); }
    static QString help() { return QStringLiteral("请选择单姓、复姓，即您要分析的姓名笔画数，其姓是单姓还是复姓。"); }
    bool closed() const { return m_closed; }

    // 确定 with the option chosen (单姓 is preselected).
    void confirm(SurnameKind kind)
    {
        m_request.surnameKind = kind;
        m_closed = true;
    }
    // 取消.
    void cancel()
    {
        m_request.surnameKind.reset();
        m_closed = true;
    }
    // The frame button leaves the kind as it was.
    void closeByFrame() { m_closed = true; }

private:
    NameRequest &m_request;
    bool m_closed = false;
};

} // namespace tolvane
