#include "ui/CancelPassDialog.h"

#include "app/PasswordRules.h"
#include "ui/DialogFrame.h"
#include "ui/PasswordForm.h"
#include "ui/WidgetPrompter.h"

#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

CancelPassDialog::CancelPassDialog(SettingsStore &settings, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_settings(settings)
{
    PasswordForm form(this, "frmCancelPass", QStringLiteral("取消或修改启动密码"),
                      QStringLiteral("更改启动密码，需要输入原密码和新密码。如果要取消原密码，则不必在新密码框内输入任何内容。"
                                     "点击“确定”使新设置生效，点击“取消”不会做任何更改。"));
    m_txtOldPass = form.addField("lblOldPass", QStringLiteral("原密码:"), "txtOldPass");
    m_txtNewPass = form.addField("lblNewPass", QStringLiteral("新密码:"), "txtNewPass");
    m_txtNewConfirm = form.addField("lblNewConfirm", QStringLiteral("确认新密码:"), "txtNewConfirm");
    for (QLineEdit *field : { m_txtOldPass, m_txtNewPass, m_txtNewConfirm })
        field->setEchoMode(QLineEdit::Password);
    connect(form.finish(), &QPushButton::clicked, this, &CancelPassDialog::confirm);
}

void CancelPassDialog::confirm()
{
    if (const std::optional<UserMessage> refused = PasswordRules::changePassword(
            m_settings, m_txtOldPass->text(), m_txtNewPass->text(), m_txtNewConfirm->text())) {
        WidgetPrompter(this).showMessage(*refused);
        return;
    }
    accept();
}

} // namespace tolvane
