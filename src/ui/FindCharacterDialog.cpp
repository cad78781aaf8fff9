#include "ui/FindCharacterDialog.h"

#include "naming/FindCharacterForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

FindCharacterDialog::FindCharacterDialog(FindCharacterForm &form, QWidget *parent)
    : QDialog(parent)
    , m_form(form)
{
    setObjectName(QStringLiteral("frmZhaozi"));
    setWindowTitle(FindCharacterForm::caption());
    m_form.load();

    auto *info = new QLabel(m_form.text(), this);
    info->setObjectName(QStringLiteral("lblLast2info"));
    info->setWordWrap(true);
    info->setMinimumWidth(360);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *exit = new QPushButton(QStringLiteral("退出"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        m_form.confirm();
        accept();
    });
    connect(exit, &QPushButton::clicked, this, [this] {
        m_form.exit();
        accept();
    });
}

void FindCharacterDialog::closeEvent(QCloseEvent *event)
{
    if (!m_form.closed())
        m_form.closeByFrame();
    event->accept();
    QDialog::closeEvent(event);
}

void FindCharacterDialog::reject()
{
    if (!m_form.closed())
        m_form.closeByFrame();
    QDialog::reject();
}

} // namespace tolvane
