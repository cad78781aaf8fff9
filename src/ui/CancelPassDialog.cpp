#include "ui/CancelPassDialog.h"

#include "ui/ButtonRow.h"
#include "app/PasswordRules.h"
#include "ui/WidgetPrompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tolvane {

CancelPassDialog::CancelPassDialog(SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmCancelPass"));
    setWindowTitle(QStringLiteral("取消或修改启动密码"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *tell = new QLabel(
        QStringLiteral("更改启动密码，需要输入原密码和新密码。如果要取消原密码，则不必在新密码框内输入任何内容。"
                       "点击“确定”使新设置生效，点击“取消”不会做任何更改。"),
        this);
    tell->setObjectName(QStringLiteral("lblTell"));
    tell->setWordWrap(true);
    tell->setFixedWidth(340);
    auto *oldLabel = new QLabel(QStringLiteral("原密码:"), this);
    oldLabel->setObjectName(QStringLiteral("lblOldPass"));
    m_txtOldPass = new QLineEdit(this);
    m_txtOldPass->setObjectName(QStringLiteral("txtOldPass"));
    oldLabel->setBuddy(m_txtOldPass);
    auto *newLabel = new QLabel(QStringLiteral("新密码:"), this);
    newLabel->setObjectName(QStringLiteral("lblNewPass"));
    m_txtNewPass = new QLineEdit(this);
    m_txtNewPass->setObjectName(QStringLiteral("txtNewPass"));
    newLabel->setBuddy(m_txtNewPass);

    const ButtonRow row(this, {{"cmdOK", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("取消")}});
    QPushButton *ok = row.at(0);
    QPushButton *cancel = row.at(1);
    QHBoxLayout *buttons = row.layout();
    auto *layout = new QGridLayout(this);
    layout->addWidget(tell, 0, 0, 1, 2);
    layout->addWidget(oldLabel, 1, 0);
    layout->addWidget(m_txtOldPass, 1, 1);
    layout->addWidget(newLabel, 2, 0);
    layout->addWidget(m_txtNewPass, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CancelPassDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CancelPassDialog::cmdOK_Click()
{
    if (const std::optional<UserMessage> refused
        = PasswordRules::changePassword(m_settings, m_txtOldPass->text(), m_txtNewPass->text())) {
        WidgetPrompter(this).showMessage(*refused);
        return;
    }
    accept();
}

} // namespace tolvane
