#include "ui/LoginDialog.h"

#include "ui/ButtonRow.h"
#include "app/PasswordRules.h"
#include "ui/WidgetPrompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

LoginDialog::LoginDialog(const SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("输入启动密码"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *label = new QLabel(QStringLiteral("输入启动密码:"), this);
    label->setObjectName(QStringLiteral("lblPassword"));
    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    // One "*" per typed character, whatever the style's own mask character is.
    m_txtPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_txtPassword->setMinimumWidth(220);
    label->setBuddy(m_txtPassword);

    const ButtonRow row(this, {{"cmdOK", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("取消")}});
    QPushButton *ok = row.at(0);
    QPushButton *cancel = row.at(1);
    QHBoxLayout *buttons = row.layout();
    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_txtPassword, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &LoginDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LoginDialog::cmdOK_Click()
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
