#include "ui/SetPassDialog.h"

#include "ui/ButtonRow.h"
#include "app/PasswordRules.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

SetPassDialog::SetPassDialog(SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmSetPass"));
    setWindowTitle(QStringLiteral("设置启动密码"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *tell
        = new QLabel(QStringLiteral("设置此密码后，今后每次启动起名程序，都会有一个密码登录框，只有当输入正确密码后"
                                    "才能继续运行程序，否则会关闭程序。密码可由数字和字母组成，汉字也可以，长度不限。"
                                    "请记下所设密码，如果忘记，您只能与青禾联系了。"),
            this);
    tell->setObjectName(QStringLiteral("lblTell"));
    tell->setWordWrap(true);
    tell->setFixedWidth(340);
    auto *label = new QLabel(QStringLiteral("输入密码:"), this);
    label->setObjectName(QStringLiteral("lblPassword"));
    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    label->setBuddy(m_txtPassword);

    const ButtonRow row(this, {{"cmdOK", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("取消")}});
    QPushButton *ok = row.at(0);
    QPushButton *cancel = row.at(1);
    QHBoxLayout *buttons = row.layout();
    auto *layout = new QGridLayout(this);
    layout->addWidget(tell, 0, 0, 1, 2);
    layout->addWidget(label, 1, 0);
    layout->addWidget(m_txtPassword, 1, 1);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &SetPassDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SetPassDialog::cmdOK_Click()
{
    PasswordRules::setPassword(m_settings, m_txtPassword->text());
    accept();
}

} // namespace tolvane
