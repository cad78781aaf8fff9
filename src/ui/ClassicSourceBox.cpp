#include "ui/ClassicSourceBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {

// The collections in the order the box lists them, with their check boxes' names.
struct Tick {
    Classic classic;
    const char *objectName;
};
constexpr std::array<Tick, 9> kTicks { { { Classic::Shijing, "chkShijing" }, { Classic::Chuci, "chkChuci" },
    { Classic::Tangshi, "chkTangshi" }, { Classic::Songci, "chkSongci" }, { Classic::Lunyu, "chkLunyu" },
    { Classic::Songshi, "chkSongshi" }, { Classic::Mengzi, "chkMengzi" }, { Classic::Daxue, "chkDaxue" },
    { Classic::Zhongyong, "chkZhongyong" } } };
// The first row holds the poems and 论语, the second 宋诗 and the other Four Books.
constexpr std::size_t kFirstRow = 5;

} // namespace

ClassicSourceBox::ClassicSourceBox(QWidget *parent)
    : QGroupBox(QStringLiteral("名字来源"), parent)
{
    setObjectName(QStringLiteral("fraSource"));
    m_library = new QRadioButton(QStringLiteral("从字库选字"), this);
    m_library->setObjectName(QStringLiteral("optSourceLibrary"));
    m_library->setToolTip(QStringLiteral("在字库中找出笔画、性别和五行都合适的字，逐组列出。"));
    m_classics = new QRadioButton(QStringLiteral("从典籍取名："), this);
    m_classics->setObjectName(QStringLiteral("optSourceClassics"));
    m_classics->setToolTip(QStringLiteral("名字的两个字在所选典籍的同一句中前后相连，每个名字列出原句和出处。"));
    auto *ticks = new QGridLayout;
    ticks->setContentsMargins(fontMetrics().horizontalAdvance(QStringLiteral("字字")), 0, 0, 0);
    for (std::size_t i = 0; i < kTicks.size(); ++i) {
        m_ticks[i] = new QCheckBox(classicName(kTicks[i].classic), this);
        m_ticks[i]->setObjectName(QString::fromLatin1(kTicks[i].objectName));
        ticks->addWidget(m_ticks[i], i < kFirstRow ? 0 : 1, int(i < kFirstRow ? i : i - kFirstRow));
    }
    ticks->setColumnStretch(int(kFirstRow), 1);
    // The options keep their natural width, so that a click beside their text does not choose them.
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_library, 0, Qt::AlignLeft);
    column->addWidget(m_classics, 0, Qt::AlignLeft);
    column->addLayout(ticks);

    m_ticks[0]->setChecked(true);
    m_ticks[1]->setChecked(true);
    m_library->setChecked(true);
    follow();
    connect(m_classics, &QRadioButton::toggled, this, &ClassicSourceBox::follow);
}

std::optional<ClassicSet> ClassicSourceBox::choice() const
{
    if (!m_classics->isChecked())
        return std::nullopt;
    ClassicSet set;
    for (std::size_t i = 0; i < kTicks.size(); ++i) {
        if (m_ticks[i]->isChecked())
            set.insert(kTicks[i].classic);
    }
    return set;
}

void ClassicSourceBox::showChoice(const std::optional<ClassicSet> &choice)
{
    if (choice) {
        for (std::size_t i = 0; i < kTicks.size(); ++i)
            m_ticks[i]->setChecked(choice->contains(kTicks[i].classic));
        m_classics->setChecked(true);
    } else {
        m_library->setChecked(true);
    }
    follow();
}

void ClassicSourceBox::setClassicsAllowed(bool allowed)
{
    if (!allowed)
        m_library->setChecked(true);
    m_classics->setEnabled(allowed);
    follow();
}

void ClassicSourceBox::follow()
{
    for (QCheckBox *tick : m_ticks)
        tick->setEnabled(m_classics->isChecked() && m_classics->isEnabled());
}

} // namespace tolvane
