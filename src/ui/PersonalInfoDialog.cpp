#include "ui/PersonalInfoDialog.h"

#include "app/Prompter.h"
#include "app/ReportInfo.h"
#include "ui/ButtonRow.h"
#include "ui/DialogFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace tolvane {

namespace {

// The editors give LF; the reports use CR LF.
QString crLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace

PersonalInfoDialog::PersonalInfoDialog(QString infoPath, Prompter &prompter, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_infoPath(std::move(infoPath))
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmPersonalInfo"));
    setWindowTitle(QStringLiteral("输入抬头及结尾信息"));

    const ReportInfo::Texts texts = ReportInfo::load(m_infoPath);
    m_header = texts.header;
    m_footer = texts.footer;

    auto *beginLabel = new QLabel(QStringLiteral("抬头信息："), this);
    beginLabel->setObjectName(QStringLiteral("BeginInfolbl"));
    m_headerEdit = new QTextEdit(this);
    m_headerEdit->setObjectName(QStringLiteral("BeginInfoRichtxt"));
    m_headerEdit->setPlainText(QString(m_header).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto *endLabel = new QLabel(QStringLiteral("结尾信息："), this);
    endLabel->setObjectName(QStringLiteral("EndInfolbl"));
    m_footerEdit = new QTextEdit(this);
    m_footerEdit->setObjectName(QStringLiteral("EndInfoRichtxt"));
    m_footerEdit->setPlainText(QString(m_footer).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const ButtonRow row(this, {{"cmdOk", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("退出")},
                               {"cmdHelp", QStringLiteral("帮助")}});
    QPushButton *ok = row.at(0);
    QPushButton *cancel = row.at(1);
    QPushButton *help = row.at(2);

    auto *layout = new QGridLayout(this);
    layout->addWidget(beginLabel, 0, 0);
    layout->addWidget(m_headerEdit, 1, 0);
    layout->addWidget(endLabel, 2, 0);
    layout->addWidget(m_footerEdit, 3, 0);
    layout->addLayout(row.layout(), 4, 0);
    resize(520, 420);

    connect(ok, &QPushButton::clicked, this, &PersonalInfoDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { m_prompter.showMessage(UserMessage::warning(ReportInfo::helpText())); });
}

void PersonalInfoDialog::save()
{
    const QString header = crLf(m_headerEdit->toPlainText());
    const QString footer = crLf(m_footerEdit->toPlainText());
    if (!ReportInfo::save(m_infoPath, header, footer)) {
        // The window stays open with its texts, so nothing typed is lost.
        m_prompter.showMessage(UserMessage::plain(ReportInfo::saveFailedText()));
        return;
    }
    m_header = header;
    m_footer = footer;
    accept();
}

} // namespace tolvane
