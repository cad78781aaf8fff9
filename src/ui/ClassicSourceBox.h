#pragma once

#include "data/Classics.h"

#include <QGroupBox>

#include <array>
#include <optional>

class QCheckBox;
class QRadioButton;

namespace tolvane {

// fraSource ("名字来源"): where the names come from, the library's characters (optSourceLibrary) or lines of the
// collections ticked (optSourceClassics, and chkShijing, chkChuci, chkTangshi, chkSongci, chkLunyu, then chkSongshi,
// chkMengzi, chkDaxue, chkZhongyong on a second row). The ticks
// can be changed only while the collections are chosen.
class ClassicSourceBox final : public QGroupBox {
    Q_OBJECT

public:
    explicit ClassicSourceBox(QWidget *parent);

    // The choice as shown: none for the library, else the collections ticked (perhaps none of them).
    std::optional<ClassicSet> choice() const;
    // Shows a choice; with the library chosen the ticks stay as they were, 诗经 and 楚辞 when first shown.
    void showChoice(const std::optional<ClassicSet> &choice);
    // Whether the collections may be chosen; when not, the library is chosen.
    void setClassicsAllowed(bool allowed);

private:
    void follow();

    QRadioButton *m_library = nullptr;
    QRadioButton *m_classics = nullptr;
    std::array<QCheckBox *, 9> m_ticks {};
};

} // namespace tolvane
