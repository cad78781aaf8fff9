#include "ui/PasswordForm.h"

#include "ui/ButtonRow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace tolvane {

PasswordForm::PasswordForm(QDialog *dialog, const char *name, const QString &caption, const QString &tell)
    : m_dialog(dialog)
    , m_layout(new QGridLayout(dialog))
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!tell.isEmpty()) {
        auto *label = new QLabel(tell, dialog);
        label->setObjectName(QStringLiteral("lblTell"));
        label->setWordWrap(true);
        label->setFixedWidth(340);
        m_layout->addWidget(label, m_row++, 0, 1, 2);
    }
}

QLineEdit *PasswordForm::addField(const char *labelName, const QString &label, const char *editName)
{
    auto *caption = new QLabel(label, m_dialog);
    caption->setObjectName(QString::fromLatin1(labelName));
    auto *edit = new QLineEdit(m_dialog);
    edit->setObjectName(QString::fromLatin1(editName));
    caption->setBuddy(edit);
    m_layout->addWidget(caption, m_row, 0);
    m_layout->addWidget(edit, m_row++, 1);
    return edit;
}

QPushButton *PasswordForm::finish()
{
    const ButtonRow row(m_dialog, {{"cmdOK", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("取消")}});
    m_layout->addLayout(row.layout(), m_row++, 0, 1, 2);
    QObject::connect(row.at(1), &QPushButton::clicked, m_dialog, &QDialog::reject);
    return row.at(0);
}

} // namespace tolvane
