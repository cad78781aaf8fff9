#include "ui/SurnameKindDialog.h"

#include "naming/SurnameKindForm.h"
#include "ui/DialogFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {
// The help wraps at about this many characters.
constexpr int kHelpColumns = 22;
} // namespace

SurnameKindDialog::SurnameKindDialog(SurnameKindForm &form, QWidget *mainWindow)
    : QDialog(mainWindow, DialogFrame::kFlags)
    , m_form(form)
{
    setObjectName(QStringLiteral("frmDanfuxing"));
    setWindowTitle(SurnameKindForm::caption());
    setModal(true);

    auto *single = new QRadioButton(QStringLiteral("单姓"), this);
    single->setObjectName(QStringLiteral("optDanxing"));
    single->setChecked(true);
    m_compound = new QRadioButton(QStringLiteral("复姓"), this);
    m_compound->setObjectName(QStringLiteral("optfuxing"));
    auto *help = new QLabel(SurnameKindForm::help(), this);
    help->setObjectName(QStringLiteral("lblinfo"));
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setMinimumWidth(help->fontMetrics().horizontalAdvance(QStringLiteral("字")) * kHelpColumns);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *options = new QHBoxLayout;
    options->setSpacing(16);
    options->addWidget(single);
    options->addWidget(m_compound);
    options->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addLayout(options);
    layout->addWidget(help);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();

    connect(ok, &QPushButton::clicked, this, &SurnameKindDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &SurnameKindDialog::cancel);
}

void SurnameKindDialog::confirm()
{
    m_form.confirm(m_compound->isChecked() ? SurnameKind::Compound : SurnameKind::Single);
    accept();
}

void SurnameKindDialog::cancel()
{
    m_form.cancel();
    QDialog::reject();
}

void SurnameKindDialog::reject()
{
    if (!m_form.closed())
        m_form.closeByFrame();
    QDialog::reject();
}

} // namespace tolvane
