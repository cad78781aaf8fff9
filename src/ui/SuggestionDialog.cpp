#include "ui/SuggestionDialog.h"
#include "ui/DialogFrame.h"

#include "naming/SuggestionForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tolvane {

namespace {

template <typename T> T *named(QWidget *parent, const char *name, const QString &text = {})
{
    auto *w = new T(parent);
    w->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<QAbstractButton, T>)
        w->setText(text);
    return w;
}

QWidget *row(QWidget *parent, std::initializer_list<QWidget *> widgets)
{
    auto *box = new QWidget(parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *w : widgets) {
        w->setParent(box);
        layout->addWidget(w);
    }
    layout->addStretch(1);
    return box;
}

} // namespace

SuggestionDialog::SuggestionDialog(SuggestionForm &form, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_form(form)
{
    setObjectName(QStringLiteral("dlgTuijian"));
    setWindowTitle(QStringLiteral("推荐名字：") + form.request.surname + QStringLiteral("姓"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("程序在所有良好配置里为您挑出完整的名字，按总分排列，并说明每个名字的理由。"
                                            "推荐出来后，可用“工具”菜单的“收藏与比较”留下喜欢的名字。"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *formLayout = new QFormLayout;
    layout->addLayout(formLayout);

    m_male = named<QRadioButton>(this, "optTuijianMale", QStringLiteral("男孩"));
    m_female = named<QRadioButton>(this, "optTuijianFemale", QStringLiteral("女孩"));
    (form.request.sex == Sex::Female ? m_female : m_male)->setChecked(true);
    formLayout->addRow(QStringLiteral("性别："), row(this, { m_male, m_female }));

    m_length1 = named<QRadioButton>(this, "optTuijianName1", QStringLiteral("单字名"));
    m_length2 = named<QRadioButton>(this, "optTuijianName2", QStringLiteral("双字名"));
    (form.request.nameLength == 1 ? m_length1 : m_length2)->setChecked(true);
    auto *lengthRow = row(this, { m_length1, m_length2 });
    formLayout->addRow(QStringLiteral("名字字数："), lengthRow);

    const char *elementNames[] = { "chkTuijianJin", "chkTuijianMu", "chkTuijianShui", "chkTuijianHuo", "chkTuijianTu" };
    QList<QWidget *> elementBoxes;
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        m_elements[i] = named<QCheckBox>(this, elementNames[i], QString(elementChar(ElementSet::kWishOrder[i])));
        m_elements[i]->setChecked(form.request.elements.contains(ElementSet::kWishOrder[i]));
    }
    formLayout->addRow(QStringLiteral("五行："),
        row(this, { m_elements[0], m_elements[1], m_elements[2], m_elements[3], m_elements[4] }));
    m_birth = named<QLineEdit>(this, "txtTuijianBirth");
    m_birth->setText(form.birth);
    m_birth->setPlaceholderText(QStringLiteral("如 2024-02-04 16:30，填了就按八字选五行"));
    m_birth->setToolTip(QStringLiteral("出生日期和时间（北京时间）；可再加出生地经度和时区，如“2024-02-04 16:30 116.4 "
                                       "+08:00”。填了出生时间，五行按八字的建议来选，上面勾选的五行不用。"));
    formLayout->addRow(QStringLiteral("出生时间："), m_birth);

    m_library = named<QCheckBox>(this, "chkTuijianLibrary", QStringLiteral("字库"));
    m_library->setChecked(form.request.fromLibrary);
    // In the order of preference, the older books first; a second row takes the later collections.
    const char *classicNames[] = { "chkTuijianShijing", "chkTuijianLunyu", "chkTuijianChuci", "chkTuijianMengzi",
        "chkTuijianDaxue", "chkTuijianZhongyong", "chkTuijianTangshi", "chkTuijianSongci", "chkTuijianSongshi" };
    static_assert(std::size(classicNames) == kAllClassics.size());
    for (std::size_t i = 0; i < m_classics.size(); ++i) {
        m_classics[i] = named<QCheckBox>(this, classicNames[i], classicName(kAllClassics[i]));
        m_classics[i]->setChecked(form.request.classics && form.request.classics->contains(kAllClassics[i]));
    }
    formLayout->addRow(QStringLiteral("名字来源："),
        row(this, { m_library, m_classics[0], m_classics[1], m_classics[2], m_classics[3], m_classics[4] }));
    formLayout->addRow(QString(), row(this, { m_classics[5], m_classics[6], m_classics[7], m_classics[8] }));

    m_count = named<QSpinBox>(this, "txtTuijianCount");
    m_count->setRange(1, 500);
    m_count->setValue(form.request.count);
    formLayout->addRow(QStringLiteral("推荐几个："), row(this, { m_count }));

    m_exclude = named<QLineEdit>(this, "txtTuijianExclude");
    m_exclude->setText(form.request.exclude);
    m_exclude->setPlaceholderText(QStringLiteral("如长辈名字里的字、不喜欢的字"));
    formLayout->addRow(QStringLiteral("不用的字："), m_exclude);
    m_include = named<QLineEdit>(this, "txtTuijianInclude");
    m_include->setText(form.request.include);
    m_include->setPlaceholderText(QStringLiteral("如字辈，只填一个字，可不填"));
    formLayout->addRow(QStringLiteral("必须用的字："), m_include);

    m_minStrokes = named<QSpinBox>(this, "txtTuijianMinStrokes");
    m_maxStrokes = named<QSpinBox>(this, "txtTuijianMaxStrokes");
    for (QSpinBox *box : { m_minStrokes, m_maxStrokes }) {
        box->setRange(0, 30);
        box->setSpecialValueText(QStringLiteral("不限"));
    }
    m_minStrokes->setValue(form.request.minStrokes);
    m_maxStrokes->setValue(form.request.maxStrokes);
    auto *to = new QLabel(QStringLiteral("到"), this);
    formLayout->addRow(QStringLiteral("每字笔画："), row(this, { m_minStrokes, to, m_maxStrokes }));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("推荐"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdTuijianOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdTuijianCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SuggestionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SuggestionDialog::reject);
    layout->addWidget(buttons);
}

void SuggestionDialog::accept()
{
    SuggestionForm answered = m_form;
    SuggestionRequest &r = answered.request;
    r.sex = m_female->isChecked() ? Sex::Female : Sex::Male;
    r.nameLength = m_length1->isChecked() ? 1 : 2;
    std::array<bool, 5> flags {};
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        flags[i] = m_elements[i]->isChecked();
    r.elements = ElementSet::fromWishFlags(flags);
    answered.birth = m_birth->text().trimmed();
    r.fromLibrary = m_library->isChecked();
    ClassicSet classics;
    for (std::size_t i = 0; i < m_classics.size(); ++i) {
        if (m_classics[i]->isChecked())
            classics.insert(kAllClassics[i]);
    }
    r.classics = classics.isEmpty() ? std::nullopt : std::optional<ClassicSet>(classics);
    r.count = m_count->value();
    r.exclude = m_exclude->text().trimmed();
    r.include = m_include->text().trimmed();
    r.minStrokes = m_minStrokes->value();
    r.maxStrokes = m_maxStrokes->value();
    std::optional<UserMessage> problem = NameSuggestions::requestProblem(r);
    if (!problem && r.elements.isEmpty() && answered.birth.isEmpty())
        problem = UserMessage::warning(QStringLiteral("请至少勾选一种五行，或填写出生时间。"));
    if (problem) {
        QMessageBox::warning(this, windowTitle(), problem->text);
        return;
    }
    answered.accepted = true;
    m_form = answered;
    QDialog::accept();
}

} // namespace tolvane
