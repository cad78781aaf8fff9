#include "ui/AboutDialog.h"

#include "app/AppInfo.h"
#include "app/SystemInfoTool.h"
#include "ui/ClickFilter.h"
#include "ui/LinkOpener.h"
#include "ui/Logo.h"
#include "ui/WidgetPrompter.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tolvane {

namespace {

QLabel *linkLabel(QWidget *parent, const char *name, const QString &caption, const QString &text)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // Looks like a link; the whole label takes the click.
    label->setTextFormat(Qt::RichText);
    label->setText(caption.toHtmlEscaped()
        + QStringLiteral("<span style=\"color:#1a4fa0; text-decoration:underline\">%1</span>")
              .arg(text.toHtmlEscaped()));
    label->setToolTip(text);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
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
    auto *version
        = new QLabel(QStringLiteral("版本 %1.%2").arg(AppInfo::majorVersion()).arg(AppInfo::minorVersion()), this);
    version->setObjectName(QStringLiteral("lblVersion"));

    QLabel *web = linkLabel(this, "lblWeb", QStringLiteral("主页："), AppInfo::webAddress());
    QLabel *email = linkLabel(this, "lblEmail", QStringLiteral("邮件："), AppInfo::emailAddress());
    auto *phone = new QLabel(AppInfo::phoneNumbers(), this);
    phone->setObjectName(QStringLiteral("lblPhone"));

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
    text->addSpacing(8);
    text->addWidget(web);
    text->addWidget(email);
    text->addWidget(phone);
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

    connect(ClickFilter::install(web), &ClickFilter::clicked, this,
        [this] { LinkOpener::open(this, QUrl(AppInfo::webAddress()), AppInfo::webOpenFailed()); });
    connect(ClickFilter::install(email), &ClickFilter::clicked, this, [this] {
        LinkOpener::open(this, QUrl(QStringLiteral("mailto:") + AppInfo::emailAddress()), AppInfo::mailOpenFailed());
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::showSystemInformation);
}

void AboutDialog::showSystemInformation()
{
    if (const std::optional<UserMessage> failed = SystemInfoTool::start())
        WidgetPrompter(this).showMessage(*failed);
}

} // namespace tolvane
