#include "ui/NamingWizardDialog.h"

#include "birthchart/BirthChartReport.h"
#include "ui/ClassicSourceBox.h"
#include "ui/DialogFrame.h"
#include "ui/DialogLast.h"
#include "ui/ListRows.h"
#include "ui/WidgetPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tolvane {

namespace {

// Help texts wrap at about this many characters, which keeps the longest one to a few lines.
constexpr int kHelpColumns = 26;

QString name(const char *objectName)
{
    return QString::fromLatin1(objectName);
}

QGroupBox *makePage(QStackedWidget *pages, const char *objectName, const QString &title)
{
    auto *page = new QGroupBox(title, pages);
    page->setObjectName(name(objectName));
    pages->addWidget(page);
    return page;
}

template<typename Button>
Button *makeButton(QWidget *page, const char *objectName, const QString &text)
{
    auto *button = new Button(text, page);
    button->setObjectName(name(objectName));
    return button;
}

QLabel *makeHelp(QWidget *page, const char *objectName, const QString &text)
{
    auto *label = new QLabel(text, page);
    label->setObjectName(name(objectName));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("字")) * kHelpColumns);
    return label;
}

// A row of options, kept to their natural width so a click on the text hits them.
QHBoxLayout *optionRow(const QList<QWidget *> &options)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    for (QWidget *option : options)
        row->addWidget(option);
    row->addStretch();
    return row;
}

// The page's frame: options on top, help below, buttons at the bottom on the right.
void arrange(QGroupBox *page, const QList<QLayout *> &top, QLabel *help, const QList<QPushButton *> &buttons)
{
    auto *column = new QVBoxLayout(page);
    column->setSpacing(10);
    for (QLayout *layout : top)
        column->addLayout(layout);
    column->addWidget(help);
    column->addStretch();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (QPushButton *button : buttons)
        buttonRow->addWidget(button);
    column->addLayout(buttonRow);
}

QComboBox *makeNumberCombo(QWidget *page, const char *objectName, int last, int initial)
{
    auto *combo = new QComboBox(page);
    combo->setObjectName(name(objectName));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int value = 1; value <= last; ++value)
        combo->addItem(QString::number(value));
    combo->setCurrentIndex(initial - 1);
    combo->setMinimumContentsLength(4);
    ListRows::giveRoom(combo);
    return combo;
}

} // namespace

NamingWizardDialog::NamingWizardDialog(NamingWizard &wizard, QWidget *mainWindow)
    : QDialog(mainWindow, DialogFrame::kFlags)
    , m_wizard(wizard)
{
    setObjectName(QStringLiteral("dlgdanfuxing"));
    setModal(true);
    m_pages = new QStackedWidget(this);
    buildSurnameKindPage();
    buildNameLengthPage();
    buildSexAndElementsPage();
    buildLuckPage();
    buildAdvancedPage();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_wizard.load();
    sync();
}

void NamingWizardDialog::buildSurnameKindPage()
{
    QGroupBox *page = m_surnameKindPage = makePage(m_pages, "fradanfuxing", QStringLiteral("单姓复姓"));
    m_single = makeButton<QRadioButton>(page, "optdanxing", QStringLiteral("单姓"));
    m_compound = makeButton<QRadioButton>(page, "optfuxing", QStringLiteral("复姓"));
    m_surnameKindHelp = makeHelp(page, "lblinfo", QString());
    m_surnameKindOk = makeButton<QPushButton>(page, "cmdOK", QStringLiteral("确定"));
    auto *cancel = makeButton<QPushButton>(page, "cmdCancel", QStringLiteral("取消"));
    arrange(page, {optionRow({m_single, m_compound})}, m_surnameKindHelp, {m_surnameKindOk, cancel});
    // 确定 comes first in the tab order: most people only confirm the preset kind.
    setTabOrder(m_surnameKindOk, cancel);
    setTabOrder(cancel, m_single);
    setTabOrder(m_single, m_compound);

    connect(m_surnameKindOk, &QPushButton::clicked, this, &NamingWizardDialog::confirmSurnameKind);
    connect(cancel, &QPushButton::clicked, this, &NamingWizardDialog::cancel);
}

void NamingWizardDialog::buildNameLengthPage()
{
    QGroupBox *page = m_nameLengthPage = makePage(m_pages, "fraNameShu", QStringLiteral("名字字数"));
    m_name1 = makeButton<QRadioButton>(page, "optName1", QStringLiteral("单字名"));
    m_name2 = makeButton<QRadioButton>(page, "optName2", QStringLiteral("双字名"));
    m_name3 = makeButton<QRadioButton>(page, "optName3", QStringLiteral("三字名"));
    QLabel *help = makeHelp(page, "lblNameInfo",
                            QStringLiteral("选择名字字数，如“杨春”是单字名，“杨春白”是双字名，“杨春白雪”是三字名。"
                                           "如果您上一步选择了复姓，则名字个数最多选双字名。"
                                           "因为本程序最多分析四个字的姓名。"));
    m_nameLengthOk = makeButton<QPushButton>(page, "cmdNameOK", QStringLiteral("确定"));
    auto *cancel = makeButton<QPushButton>(page, "cmdNameCancel", QStringLiteral("取消"));
    arrange(page, {optionRow({m_name1, m_name2, m_name3})}, help, {m_nameLengthOk, cancel});

    connect(m_nameLengthOk, &QPushButton::clicked, this, &NamingWizardDialog::confirmNameLength);
    connect(cancel, &QPushButton::clicked, this, &NamingWizardDialog::cancel);
}

void NamingWizardDialog::buildSexAndElementsPage()
{
    QGroupBox *page = m_sexPage = makePage(m_pages, "fraMoreInfo", QStringLiteral("性别五行"));
    m_male = makeButton<QRadioButton>(page, "optMoreMale", QStringLiteral("男性名"));
    m_female = makeButton<QRadioButton>(page, "optMoreFemale", QStringLiteral("女性名"));
    // In the order of ElementSet::kWishOrder.
    static const char *const elementNames[5] = {"chkMoreJin", "chkMoreMu", "chkMoreShui", "chkMoreHuo", "chkMoreTu"};
    QList<QWidget *> elements;
    for (int i = 0; i < 5; ++i) {
        m_elements[i] = makeButton<QCheckBox>(page, elementNames[i], QString(elementChar(ElementSet::kWishOrder[i])));
        elements.append(m_elements[i]);
    }
    // The birth time: its chart's suggestion fills the ticks, which stay the person's to change.
    auto *birthLabel = new QLabel(QStringLiteral("出生时间："), page);
    birthLabel->setObjectName(QStringLiteral("lblMoreBirth"));
    m_birth = new QLineEdit(page);
    m_birth->setObjectName(QStringLiteral("txtMoreBirth"));
    m_birth->setPlaceholderText(QStringLiteral("如 2024-02-04 16:30"));
    m_birth->setToolTip(QStringLiteral("出生日期和时间（北京时间）；可再加出生地经度和时区，如“2024-02-04 16:30 116.4 "
                                       "+08:00”；23点后出生而日柱按当日排的，末尾加“夜子时”。点击“按八字选五行”，程序按生辰八字勾选名字宜补的五行。"));
    birthLabel->setBuddy(m_birth);
    auto *birthButton = makeButton<QPushButton>(page, "cmdMoreBirth", QStringLiteral("按八字选五行"));
    birthButton->setAutoDefault(false);
    auto *birthRow = new QHBoxLayout;
    birthRow->addWidget(birthLabel);
    birthRow->addWidget(m_birth, 1);
    birthRow->addWidget(birthButton);
    // Two lines, kept free from the start so that the page need not grow when they are filled.
    m_birthAdvice = makeHelp(page, "lblMoreBirthAdvice", QString());
    m_birthAdvice->setWordWrap(false);
    m_birthAdvice->setMinimumHeight(m_birthAdvice->fontMetrics().lineSpacing() * 2);
    m_birthAdvice->setToolTip(nameElementRuleSentence());
    auto *adviceRow = new QHBoxLayout;
    adviceRow->addWidget(m_birthAdvice);
    QLabel *help = makeHelp(page, "lblMoreInfo",
                            QStringLiteral("在此选择取名者性别、五行选项（命主八字五行补救，补救是针对八字喜忌，"
                                           "而不是八字五行数多少）。注：性别唯一，五行选项可以复选但不能不选，"
                                           "否则找不出字来。"));
    m_sexOk = makeButton<QPushButton>(page, "cmdMoreOK", QStringLiteral("确定"));
    auto *back = makeButton<QPushButton>(page, "cmdMoreLast", QStringLiteral("上一步"));
    auto *cancel = makeButton<QPushButton>(page, "cmdMoreCancel", QStringLiteral("取消"));
    arrange(page, { optionRow({ m_male, m_female }), optionRow(elements), birthRow, adviceRow }, help,
        { m_sexOk, back, cancel });
    m_birth->installEventFilter(this);
    connect(birthButton, &QPushButton::clicked, this, &NamingWizardDialog::tickElementsOfBirth);

    connect(m_sexOk, &QPushButton::clicked, this, &NamingWizardDialog::confirmSexAndElements);
    connect(back, &QPushButton::clicked, this, &NamingWizardDialog::backToNameLength);
    connect(cancel, &QPushButton::clicked, this, &NamingWizardDialog::cancel);
}

void NamingWizardDialog::buildLuckPage()
{
    QGroupBox *page = m_luckPage = makePage(m_pages, "frajibanji", QStringLiteral("吉数半吉数"));
    m_fullLuck = makeButton<QRadioButton>(page, "optquanji", QStringLiteral("数理全吉"));
    m_halfLuck = makeButton<QRadioButton>(page, "optbanji", QStringLiteral("允许半吉"));
    QLabel *help = makeHelp(page, "lbljibanjiinfo",
                            QStringLiteral("在此选择五格81数、三才数、人格外格搭配数（表示人的社交能力等）吉或半吉。"
                                           "如果您想选择的名字数理全吉，点击“全吉”，但很多姓氏没有合适组合；"
                                           "这样您可能要折中选择允许半吉数了。"));
    m_luckOk = makeButton<QPushButton>(page, "cmdjibanjiOK", QStringLiteral("确定"));
    auto *super = makeButton<QPushButton>(page, "cmdjibanjiSuper", QStringLiteral("高级"));
    auto *back = makeButton<QPushButton>(page, "cmdjibanjiLast", QStringLiteral("上一步"));
    auto *cancel = makeButton<QPushButton>(page, "cmdjibanjiCancel", QStringLiteral("取消"));
    // Where the names come from, for 确定 and 高级 alike.
    m_source = new ClassicSourceBox(page);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source);
    arrange(page, { optionRow({ m_fullLuck, m_halfLuck }), sourceRow }, help, { m_luckOk, super, back, cancel });

    connect(m_luckOk, &QPushButton::clicked, this, &NamingWizardDialog::confirmLuck);
    connect(super, &QPushButton::clicked, this, &NamingWizardDialog::advanced);
    connect(back, &QPushButton::clicked, this, &NamingWizardDialog::backToSexAndElements);
    connect(cancel, &QPushButton::clicked, this, &NamingWizardDialog::cancel);
}

void NamingWizardDialog::buildAdvancedPage()
{
    QGroupBox *page = m_advancedPage = makePage(m_pages, "fraSuper", QStringLiteral("高级"));
    m_firstStrokes = makeNumberCombo(page, "cmbsuperBihuashu", 29, 1);
    m_groups = makeNumberCombo(page, "cmbsuperJizu", 20, 6);
    auto *strokesLabel = new QLabel(QStringLiteral("第一字笔画数："), page);
    strokesLabel->setObjectName(QStringLiteral("lblsuperBihuashu"));
    strokesLabel->setBuddy(m_firstStrokes);
    auto *groupsLabel = new QLabel(QStringLiteral("一次出几组名字："), page);
    groupsLabel->setObjectName(QStringLiteral("lblsuperJizu"));
    groupsLabel->setBuddy(m_groups);
    auto *fields = new QGridLayout;
    fields->addWidget(strokesLabel, 0, 0);
    fields->addWidget(m_firstStrokes, 0, 1);
    fields->addWidget(groupsLabel, 1, 0);
    fields->addWidget(m_groups, 1, 1);
    fields->setColumnStretch(2, 1);
    QLabel *help = makeHelp(page, "lblSuperInfo",
                            QStringLiteral("因为程序每次可为您找出最多20组名字，如果您选双或三字名，"
                                           "可能满足条件的名字组数超过20组，而名字第一个字笔画数还小，"
                                           "如果您还想看看其它组数的名字，可以在此决定名字第一个字从几画开始，"
                                           "这样程序就从此笔画数开始向后搜索良好配置。最大可选笔画29。"
                                           "如果不做选择，则从1开始。一次出几组名字，缺省为6组，最大为20组。"));
    m_advancedOk = makeButton<QPushButton>(page, "cmdsuperOk", QStringLiteral("确定"));
    auto *cancel = makeButton<QPushButton>(page, "cmdsupercancel", QStringLiteral("取消"));
    arrange(page, {fields}, help, {m_advancedOk, cancel});

    connect(m_advancedOk, &QPushButton::clicked, this, &NamingWizardDialog::confirmAdvanced);
    connect(cancel, &QPushButton::clicked, this, &NamingWizardDialog::cancelAdvanced);
}

void NamingWizardDialog::confirmSurnameKind()
{
    m_wizard.confirmSurnameKind(m_compound->isChecked() ? SurnameKind::Compound : SurnameKind::Single);
    sync();
}

void NamingWizardDialog::confirmNameLength()
{
    // 三字名 is disabled where it cannot be taken, so the page never stays with a message here.
    if (const std::optional<UserMessage> message =
            m_wizard.confirmNameLength(m_name3->isChecked() ? 3 : m_name2->isChecked() ? 2 : 1))
        showMessage(*message);
    sync();
}

void NamingWizardDialog::confirmSexAndElements()
{
    std::optional<Sex> sex;
    if (m_female->isChecked())
        sex = Sex::Female;
    else if (m_male->isChecked())
        sex = Sex::Male;
    std::array<bool, 5> elements{};
    for (int i = 0; i < 5; ++i)
        elements[i] = m_elements[i]->isChecked();
    const ElementSet ticked = ElementSet::fromWishFlags(elements);
    std::optional<ChartPreface> preface;
    if (m_birthTicks && m_birthTicks->typed == m_birth->text() && m_birthTicks->elements == ticked)
        preface = m_birthTicks->preface;
    if (const std::optional<UserMessage> message = m_wizard.confirmSexAndElements(sex, ticked, preface))
        showMessage(*message);
    sync();
}

void NamingWizardDialog::tickElementsOfBirth()
{
    const ParsedInput<BirthElementAdvice> advice = adviseElementsForBirth(m_birth->text());
    m_birthTicks.reset();
    if (!advice.value) {
        showMessage(*advice.rejection);
        m_birth->setFocus();
        return;
    }
    const std::array<bool, 5> ticks = advice.value->elements.wishFlags();
    for (int i = 0; i < 5; ++i)
        m_elements[i]->setChecked(ticks[std::size_t(i)]);
    m_birthAdvice->setText(advice.value->summary);
    m_birthAdvice->setToolTip(advice.value->headerFields.value(QStringLiteral("reason")).toString()
        + QLatin1Char('\n') + nameElementRuleSentence());
    m_birthTicks = BirthTicks { m_birth->text(), advice.value->elements,
        ChartPreface { advice.value->header, advice.value->headerFields } };
}

bool NamingWizardDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_birth && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            tickElementsOfBirth();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void NamingWizardDialog::backToNameLength()
{
    m_wizard.backToNameLength();
    sync();
}

bool NamingWizardDialog::takeSource()
{
    if (const std::optional<UserMessage> message = m_wizard.chooseSource(m_source->choice())) {
        showMessage(*message);
        return false;
    }
    return true;
}

void NamingWizardDialog::confirmLuck()
{
    if (!takeSource())
        return;
    m_wizard.confirmLuck(m_fullLuck->isChecked() ? LuckLevel::Full : LuckLevel::Half);
    sync();
}

void NamingWizardDialog::advanced()
{
    if (!takeSource())
        return;
    m_wizard.advanced(m_fullLuck->isChecked() ? LuckLevel::Full : LuckLevel::Half);
    sync();
}

void NamingWizardDialog::backToSexAndElements()
{
    m_wizard.backToSexAndElements();
    sync();
}

void NamingWizardDialog::confirmAdvanced()
{
    if (const std::optional<UserMessage> message =
            m_wizard.confirmAdvanced(m_firstStrokes->currentText(), m_groups->currentText()))
        showMessage(*message);
    sync();
}

void NamingWizardDialog::cancel()
{
    m_wizard.cancel();
    sync();
}

void NamingWizardDialog::cancelAdvanced()
{
    m_wizard.cancelAdvanced();
    sync();
}

void NamingWizardDialog::reject()
{
    if (m_wizard.state() != NamingWizard::State::Closed)
        m_wizard.closeByFrame();
    sync();
}

void NamingWizardDialog::showMessage(const UserMessage &message)
{
    WidgetPrompter(this).showMessage(message);
}

void NamingWizardDialog::sync()
{
    setWindowTitle(m_wizard.caption());
    m_surnameKindHelp->setText(m_wizard.surnameKindHelp());
    m_name3->setEnabled(m_wizard.threeCharactersAllowed());
    const NamingWizard::Page page = m_wizard.page();
    const bool entered = m_shown != page;
    if (entered) {
        m_shown = page;
        m_pages->setCurrentWidget(pageWidget(page));
        // Enter confirms the page shown, whichever of its controls has the focus.
        okButton(page)->setDefault(true);
    }
    if (m_wizard.presetPending()) {
        applyPreset(page);
        m_wizard.presetShown();
    }
    m_source->setClassicsAllowed(m_wizard.classicsAllowed());
    if (entered)
        okButton(page)->setFocus();

    switch (m_wizard.state()) {
    case NamingWizard::State::Open:
        break;
    case NamingWizard::State::DialogLast: {
        DialogLast last(m_wizard.dialogLastText(), parentWidget());
        // 确定 closes the wizard; the frame button brings back the page that opened DialogLast.
        if (last.exec() == QDialog::Accepted)
            m_wizard.confirmDialogLast();
        else
            m_wizard.closeDialogLast();
        sync();
        break;
    }
    case NamingWizard::State::Closed:
        accept();
        break;
    }
}

void NamingWizardDialog::applyPreset(NamingWizard::Page page)
{
    switch (page) {
    case NamingWizard::Page::SurnameKind:
        (m_wizard.suggestedSurnameKind() == SurnameKind::Compound ? m_compound : m_single)->setChecked(true);
        break;
    case NamingWizard::Page::NameLength:
        m_name2->setChecked(true);
        break;
    case NamingWizard::Page::SexAndElements:
        m_male->setChecked(true);
        for (QCheckBox *element : m_elements)
            element->setChecked(true);
        break;
    case NamingWizard::Page::Luck:
        m_halfLuck->setChecked(true);
        m_source->showChoice(m_wizard.source());
        break;
    case NamingWizard::Page::Advanced:
        break;
    }
}

QGroupBox *NamingWizardDialog::pageWidget(NamingWizard::Page page) const
{
    switch (page) {
    case NamingWizard::Page::SurnameKind:
        return m_surnameKindPage;
    case NamingWizard::Page::NameLength:
        return m_nameLengthPage;
    case NamingWizard::Page::SexAndElements:
        return m_sexPage;
    case NamingWizard::Page::Luck:
        return m_luckPage;
    case NamingWizard::Page::Advanced:
        return m_advancedPage;
    }
    return m_nameLengthPage;
}

QPushButton *NamingWizardDialog::okButton(NamingWizard::Page page) const
{
    switch (page) {
    case NamingWizard::Page::SurnameKind:
        return m_surnameKindOk;
    case NamingWizard::Page::NameLength:
        return m_nameLengthOk;
    case NamingWizard::Page::SexAndElements:
        return m_sexOk;
    case NamingWizard::Page::Luck:
        return m_luckOk;
    case NamingWizard::Page::Advanced:
        return m_advancedOk;
    }
    return m_nameLengthOk;
}

} // namespace tolvane
