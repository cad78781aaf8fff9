#include "ui/DialogLast.h"

#include "ui/DialogFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {
// The text wraps at about this many characters.
constexpr int kTextColumns = 22;
} // namespace

DialogLast::DialogLast(const QString &text, QWidget *mainWindow)
    : QDialog(mainWindow, DialogFrame::kFlags)
{
    setObjectName(QStringLiteral("DialogLast"));
    setWindowTitle(QStringLiteral("对话框"));
    setModal(true);

    auto *info = new QLabel(text, this);
    info->setObjectName(QStringLiteral("lblinfo"));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setMinimumWidth(info->fontMetrics().horizontalAdvance(QStringLiteral("字")) * kTextColumns);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(14);
    layout->addWidget(info);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tolvane
