#include "ui/PaneFontDialog.h"

#include "ui/DialogFrame.h"

#include "ui/ListRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace tolvane {

namespace {

struct NamedColour {
    const char16_t *name;
    QRgb rgb;
};

constexpr NamedColour kColours[] = {
    {u"黑色", 0x000000}, {u"褐红", 0x800000}, {u"绿色", 0x008000}, {u"橄榄色", 0x808000},
    {u"深蓝", 0x000080}, {u"紫色", 0x800080}, {u"蓝绿", 0x008080}, {u"灰色", 0x808080},
    {u"银色", 0xC0C0C0}, {u"红色", 0xFF0000}, {u"鲜绿", 0x00FF00}, {u"黄色", 0xFFFF00},
    {u"蓝色", 0x0000FF}, {u"紫红", 0xFF00FF}, {u"浅蓝", 0x00FFFF}, {u"白色", 0xFFFFFF},
};

QIcon swatch(QRgb rgb)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor(rgb));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

PaneFontDialog::PaneFontDialog(const QFont &preset, QWidget *parent)
    : QFontDialog(preset, parent)
{
    setObjectName(QStringLiteral("CommonDialog1"));
    DialogFrame::apply(this);
    // Qt's own dialog on every desktop, so that the colour choice below is always there.
    setOption(QFontDialog::DontUseNativeDialog);
    // The dialog lists real faces only: show the face the preset name (宋体) stands for on this system.
    QFont shown = preset;
    shown.setFamily(QFontInfo(preset).family());
    setCurrentFont(shown);

    // Qt's sample text is Latin letters only and is not translated; a Chinese sample shows the face as the
    // result pane will.
    if (auto *sample = findChild<QLineEdit *>(QStringLiteral("qt_fontDialog_sampleEdit")))
        sample->setText(QStringLiteral("青禾起名 AaBbYyZz"));

    m_colour = new QComboBox(this);
    m_colour->setObjectName(QStringLiteral("cmbColour"));
    for (const NamedColour &c : kColours)
        m_colour->addItem(swatch(c.rgb), QString::fromUtf16(c.name), QColor(c.rgb));
    ListRows::giveRoom(m_colour);

    auto *row = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("颜色(&C)："), this);
    label->setBuddy(m_colour);
    row->addWidget(label);
    row->addWidget(m_colour, 1);

    // The effects box is the one with the strikethrough and underline boxes; the colour belongs with them.
    QGroupBox *effects = nullptr;
    for (QGroupBox *box : findChildren<QGroupBox *>()) {
        if (box->findChild<QCheckBox *>()) {
            effects = box;
            break;
        }
    }
    if (effects && qobject_cast<QBoxLayout *>(effects->layout()))
        static_cast<QBoxLayout *>(effects->layout())->addLayout(row);
    else if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->addLayout(row);
    else {
        m_colour->hide();
        label->hide();
    }
}

QColor PaneFontDialog::chosenColour() const
{
    return m_colour->currentData().value<QColor>();
}

void PaneFontDialog::setChosenColour(const QColor &colour)
{
    const int index = m_colour->findData(QColor(colour.rgb()));
    m_colour->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace tolvane
