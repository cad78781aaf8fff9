#pragma once

#include "naming/NameRequest.h"
#include "naming/NamingWizard.h"

namespace tolvane {

// The find-character window ("是否在字库找字"): between the configuration summary and the listing, the
// person goes on (确定) or stops with the summary alone (退出, or the frame button).
class FindCharacterForm final {
public:
    FindCharacterForm(NameRequest &request, WizardFlags &flags, int groupsFound)
        : m_request(request)
        , m_flags(flags)
        , m_groups(groupsFound)
    {
    }

    static QString caption() { return QStringLiteral("是否在字库找字"); }

    // The window opens.
    void load() { m_flags.wizardDone = false; }
    QString text() const
    {
        if (m_request.classics) {
            return QStringLiteral("电脑已为您找出 ") + QString::number(m_groups) + QStringLiteral(" 组良好配置，")
                + QStringLiteral("接下来电脑要在") + m_request.classics->names(QStringLiteral("、"))
                + QStringLiteral("中为您找出合适的名字，并列出每个名字的出处。如果有些组没有名字，这与您选择的")
                + QStringLiteral("性别和五行有关。如果愿意可更改一下选项。现在“确定”吧！");
        }
        return QStringLiteral("电脑已为您找出 ") + QString::number(m_groups) + QStringLiteral(" 组良好配置，")
            + QStringLiteral("接下来电脑要在字库中为您找出合适的名字，这可能要花较长时间（3-90秒），")
            + QStringLiteral("请耐心等待一下。如果有些组没有字，这与您选择的性别和五行有关。如果愿意可")
            + QStringLiteral("更改一下选项。现在“确定”吧！");
    }
    bool closed() const { return m_closed; }
    bool busyRequested() const { return m_busy; }

    // 确定.
    void confirm()
    {
        m_flags.wizardDone = true;
        m_closed = true;
        m_busy = true;
    }
    // 退出.
    void exit()
    {
        m_request.surnameKind.reset();
        m_flags.namingCancelled = true;
        m_request.nameLength = 0;
        m_closed = true;
    }
    void closeByFrame()
    {
        if (m_flags.wizardDone) {
            m_closed = true;
            return;
        }
        exit();
    }

private:
    NameRequest &m_request;
    WizardFlags &m_flags;
    int m_groups;
    bool m_closed = false;
    bool m_busy = false;
};

} // namespace tolvane
