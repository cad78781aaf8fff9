#include "ui/LoginDialog.h"

#include "app/PasswordRules.h"
#include "ui/DialogFrame.h"
#include "ui/PasswordForm.h"
#include "ui/WidgetPrompter.h"

#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

LoginDialog::LoginDialog(const SettingsStore &settings, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_settings(settings)
{
    PasswordForm form(this, "frmLogin", QStringLiteral("输入启动密码"));
    m_txtPassword = form.addField("lblPassword", QStringLiteral("输入启动密码:"), "txtPassword");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    // One "*" per typed character, whatever the style's own mask character is.
    m_txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_txtPassword->setMinimumWidth(220);
    connect(form.finish(), &QPushButton::clicked, this, &LoginDialog::confirm);
}

void LoginDialog::confirm()
{
    if (const std::optional<UserMessage> refused = PasswordRules::login(m_settings, m_txtPassword->text())) {
        WidgetPrompter(this).showMessage(*refused);
        m_txtPassword->setFocus();
        m_txtPassword->selectAll();
        return;
    }
    m_loginAccepted = true;
    accept();
}

} // namespace tolvane
