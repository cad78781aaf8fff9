#include "ui/CorrectDialog.h"

#include "data/LibraryCorrection.h"
#include "ui/DialogFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {
// The explanation wraps at about this many characters.
constexpr int kInfoColumns = 26;
} // namespace

CorrectDialog::CorrectDialog(Library library, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_library(std::move(library))
    , m_prompter(this)
{
    setObjectName(QStringLiteral("frmCorrect"));
    setWindowTitle(QStringLiteral("修改字库"));
    setModal(true);

    auto *info = new QLabel(QStringLiteral("本程序可允许用户更改起名字库的笔画数。在下面输入框分别输入汉字和笔画数，"
                                           "然后点击“确定”；如果不做更改，点击“退出”即可。"),
                            this);
    info->setObjectName(QStringLiteral("lblInfo"));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setMinimumWidth(info->fontMetrics().horizontalAdvance(QStringLiteral("字")) * kInfoColumns);

    auto *lblZi = new QLabel(QStringLiteral("汉字："), this);
    lblZi->setObjectName(QStringLiteral("lblZi"));
    m_txtZi = new QLineEdit(this);
    m_txtZi->setObjectName(QStringLiteral("txtZi"));
    auto *lblBihuashu = new QLabel(QStringLiteral("字的笔画数："), this);
    lblBihuashu->setObjectName(QStringLiteral("lblBihuashu"));
    m_txtBihua = new QLineEdit(this);
    m_txtBihua->setObjectName(QStringLiteral("txtBihua"));
    m_lblNow = new QLabel(this);
    m_lblNow->setObjectName(QStringLiteral("lblNow"));
    m_lblOk = new QLabel(this);
    m_lblOk->setObjectName(QStringLiteral("lblOk"));

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    auto *exit = new QPushButton(QStringLiteral("退出"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    // Enter is handled by the two boxes themselves; a default button would run the correction twice.
    ok->setAutoDefault(false);
    exit->setAutoDefault(false);

    auto *fields = new QGridLayout;
    fields->addWidget(lblZi, 0, 0);
    fields->addWidget(m_txtZi, 0, 1);
    fields->addWidget(lblBihuashu, 1, 0);
    fields->addWidget(m_txtBihua, 1, 1);
    fields->addWidget(m_lblNow, 2, 1);
    fields->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_lblOk, 1);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(info);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CorrectDialog::applyCorrection);
    connect(m_txtZi, &QLineEdit::returnPressed, this, &CorrectDialog::applyCorrection);
    connect(m_txtBihua, &QLineEdit::returnPressed, this, &CorrectDialog::applyCorrection);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_txtZi, &QLineEdit::textChanged, this, &CorrectDialog::showPresentStrokes);
}

void CorrectDialog::showPresentStrokes()
{
    m_lblNow->setText(LibraryCorrection::presentStrokes(m_library, m_txtZi->text()));
}

void CorrectDialog::applyCorrection()
{
    setCursor(Qt::WaitCursor);
    const Outcome<QString> result = LibraryCorrection::apply(m_library, m_txtZi->text(), m_txtBihua->text());
    unsetCursor();
    // The label keeps its text until the window closes, through later refusals too.
    if (result.value) {
        m_lblOk->setText(*result.value);
        showPresentStrokes();
    }
    for (const UserMessage &message : result.messages)
        m_prompter.showMessage(message);
}

} // namespace tolvane
