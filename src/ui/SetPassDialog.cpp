#include "ui/SetPassDialog.h"

#include "app/PasswordRules.h"
#include "ui/DialogFrame.h"
#include "ui/PasswordForm.h"
#include "ui/WidgetPrompter.h"

#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

SetPassDialog::SetPassDialog(SettingsStore &settings, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_settings(settings)
{
    PasswordForm form(this, "frmSetPass", QStringLiteral("设置启动密码"),
        QStringLiteral("设置此密码后，今后每次启动起名程序，都会有一个密码登录框，只有当输入正确密码后"
                       "才能继续运行程序，否则会关闭程序。密码可由数字和字母组成，汉字也可以，长度不限。"
                       "请记下所设密码，如果忘记，您只能与青禾联系了。"));
    m_txtPassword = form.addField("lblPassword", QStringLiteral("输入密码:"), "txtPassword");
    m_txtConfirm = form.addField("lblConfirm", QStringLiteral("确认密码:"), "txtConfirm");
    for (QLineEdit *field : { m_txtPassword, m_txtConfirm })
        field->setEchoMode(QLineEdit::Password);
    connect(form.finish(), &QPushButton::clicked, this, &SetPassDialog::confirm);
}

void SetPassDialog::confirm()
{
    if (const std::optional<UserMessage> differ
        = PasswordRules::confirmationProblem(m_txtPassword->text(), m_txtConfirm->text())) {
        WidgetPrompter(this).showMessage(*differ);
        m_txtConfirm->clear();
        m_txtPassword->selectAll();
        m_txtPassword->setFocus();
        return;
    }
    // A password that could not be stored must not pass for one: the window stays open with the entry.
    if (const std::optional<UserMessage> failed = PasswordRules::setPassword(m_settings, m_txtPassword->text())) {
        WidgetPrompter(this).showMessage(*failed);
        return;
    }
    accept();
}

} // namespace tolvane
