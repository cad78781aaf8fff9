#include "ui/FindCharacterDialog.h"

#include "naming/FindCharacterForm.h"
#include "ui/ButtonRow.h"
#include "ui/DialogFrame.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

FindCharacterDialog::FindCharacterDialog(FindCharacterForm &form, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_form(form)
{
    setObjectName(QStringLiteral("frmZhaozi"));
    setWindowTitle(FindCharacterForm::caption());
    m_form.load();

    auto *info = new QLabel(m_form.text(), this);
    info->setObjectName(QStringLiteral("lblLast2info"));
    info->setWordWrap(true);
    info->setMinimumWidth(360);
    const ButtonRow row(this, {{"cmdOK", QStringLiteral("确定")}, {"cmdExit", QStringLiteral("退出")}});
    QPushButton *ok = row.at(0);
    QPushButton *exit = row.at(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(info);
    layout->addLayout(row.layout());

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
