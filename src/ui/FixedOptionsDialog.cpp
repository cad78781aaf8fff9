#include "ui/FixedOptionsDialog.h"

#include "naming/FixedOptionsForm.h"
#include "ui/ButtonRow.h"
#include "ui/ClassicSourceBox.h"
#include "ui/DialogFrame.h"
#include "ui/WidgetPrompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

FixedOptionsDialog::FixedOptionsDialog(FixedOptionsForm &form, QWidget *parent)
    : QDialog(parent, DialogFrame::kFlags)
    , m_form(form)
{
    setObjectName(QStringLiteral("frmGudingzi"));
    setWindowTitle(FixedOptionsForm::caption());
    m_form.load();

    const auto radio = [](QWidget *parent, const char *name, const QString &text) {
        auto *b = new QRadioButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    auto *sex = new QGroupBox(QStringLiteral("性别"), this);
    sex->setObjectName(QStringLiteral("fraXingBie"));
    QRadioButton *male = radio(sex, "OptNan", QStringLiteral("男性名"));
    m_female = radio(sex, "OptNv", QStringLiteral("女性名"));
    male->setChecked(true);
    auto *sexLayout = new QHBoxLayout(sex);
    sexLayout->addWidget(male);
    sexLayout->addWidget(m_female);

    auto *luck = new QGroupBox(QStringLiteral("吉数"), this);
    luck->setObjectName(QStringLiteral("fraQuanjiBanji"));
    m_full = radio(luck, "OptQuanji", QStringLiteral("全吉"));
    QRadioButton *half = radio(luck, "OptBanji", QStringLiteral("半吉"));
    half->setChecked(true);
    auto *luckLayout = new QHBoxLayout(luck);
    luckLayout->addWidget(m_full);
    luckLayout->addWidget(half);

    auto *elements = new QGroupBox(QStringLiteral("五行"), this);
    auto *elementLayout = new QHBoxLayout(elements);
    // In the order of ElementSet::kWishOrder.
    const char *names[] = {"ChkJin", "ChkMu", "ChkShui", "ChkHuo", "ChkTu"};
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(QString(elementChar(ElementSet::kWishOrder[i])), elements);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setChecked(true);
        elementLayout->addWidget(box);
        m_elements.append(box);
    }

    m_source = new ClassicSourceBox(this);
    m_source->showChoice(m_form.source());

    const ButtonRow row(this, {{"cmdOk", QStringLiteral("确定")}, {"cmdCancel", QStringLiteral("取消")}});
    QPushButton *ok = row.at(0);
    QPushButton *cancel = row.at(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sex);
    layout->addWidget(luck);
    layout->addWidget(elements);
    layout->addWidget(m_source);
    layout->addLayout(row.layout());

    connect(ok, &QPushButton::clicked, this, [this] {
        if (const std::optional<UserMessage> message = m_form.chooseSource(m_source->choice())) {
            WidgetPrompter(this).showMessage(*message);
            return;
        }
        std::array<bool, 5> ticked{};
        for (int i = 0; i < 5; ++i)
            ticked[i] = m_elements.at(i)->isChecked();
        m_form.confirm(m_female->isChecked() ? Sex::Female : Sex::Male,
                       m_full->isChecked() ? LuckLevel::Full : LuckLevel::Half, ElementSet::fromWishFlags(ticked));
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_form.cancel();
        QDialog::reject();
    });
}

void FixedOptionsDialog::closeEvent(QCloseEvent *event)
{
    if (!m_form.closed())
        m_form.cancel();
    QDialog::closeEvent(event);
}

void FixedOptionsDialog::reject()
{
    if (!m_form.closed())
        m_form.cancel();
    QDialog::reject();
}

} // namespace tolvane
