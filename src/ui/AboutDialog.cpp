#include "ui/AboutDialog.h"

#include "app/AppInfo.h"
#include "app/SystemInfoTool.h"
#include "ui/DialogFrame.h"
#include "ui/Logo.h"
#include "ui/WidgetPrompter.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tolvane {

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 ") + AppInfo::title());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(Logo::pixmap(64));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *title = new QLabel(QStringLiteral("青禾起名程序"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    // Only what is true of the program: no address, mailbox or telephone that nobody answers.
    auto *version
        = new QLabel(QStringLiteral("版本 %1.%2").arg(AppInfo::majorVersion()).arg(AppInfo::minorVersion()), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto *disclaimer = new QLabel(AppInfo::disclaimer(), this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);
    disclaimer->setFixedWidth(320);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1);
    layout->addLayout(text, 0, 1);
    layout->addWidget(line, 1, 1, 1, 2);
    layout->addWidget(disclaimer, 2, 1);
    layout->addLayout(buttons, 2, 2);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::showSystemInformation);
}

void AboutDialog::showSystemInformation()
{
    // The desktop's own tool where one is installed; else what the system tells of itself.
    if (!SystemInfoTool::start())
        return;
    QString screenText;
    if (const QScreen *shown = screen()) {
        screenText = QStringLiteral("%1 × %2 像素，%3 DPI")
                         .arg(shown->size().width())
                         .arg(shown->size().height())
                         .arg(qRound(shown->logicalDotsPerInch()));
    }
    QDialog box(this, DialogFrame::kFlags);
    box.setObjectName(QStringLiteral("frmSysInfo"));
    box.setWindowTitle(SystemInfoTool::caption());
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft);
    const QList<SystemInfoTool::Fact> facts = SystemInfoTool::facts(screenText);
    for (qsizetype i = 0; i < facts.size(); ++i) {
        auto *value = new QLabel(facts[i].second, &box);
        value->setObjectName(QStringLiteral("lblFact%1").arg(i + 1));
        // The facts can be copied, for a question to whoever helps.
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(facts[i].first + QStringLiteral("："), value);
    }
    auto *buttons = new QDialogButtonBox(&box);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    auto *layout = new QVBoxLayout(&box);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // As large as the facts need, and wide enough for the title.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form->setHorizontalSpacing(box.fontMetrics().horizontalAdvance(QStringLiteral("字")));
    buttons->setMinimumWidth(box.fontMetrics().horizontalAdvance(QStringLiteral("字")) * 20);
    box.exec();
}

} // namespace tolvane
