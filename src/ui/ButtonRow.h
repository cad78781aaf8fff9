#pragma once

#include <QHBoxLayout>
#include <QList>
#include <QPushButton>

#include <initializer_list>
#include <utility>

namespace tolvane {

// A right-aligned row of push buttons, each named by its control name; the first is the default button.
class ButtonRow final {
public:
    ButtonRow(QWidget *parent, std::initializer_list<std::pair<const char *, QString>> buttons)
        : m_layout(new QHBoxLayout)
    {
        m_layout->addStretch();
        for (const auto &[name, caption] : buttons) {
            auto *button = new QPushButton(caption, parent);
            button->setObjectName(QString::fromLatin1(name));
            button->setDefault(m_buttons.isEmpty());
            m_layout->addWidget(button);
            m_buttons.append(button);
        }
    }

    QHBoxLayout *layout() const { return m_layout; }
    QPushButton *at(int i) const { return m_buttons.at(i); }

private:
    QHBoxLayout *m_layout;
    QList<QPushButton *> m_buttons;
};

} // namespace tolvane
