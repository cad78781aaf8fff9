#pragma once

#include <QString>
#include <QTime>

#include <functional>

namespace tolvane {

// The text the result pane shows at start-up: a line pointing to the whole of 《了凡四训》,
// a blank line, and one of ten passages on the ways of doing good, chosen by the minute of the local time.
class StartupText final {
public:
    using Clock = std::function<QTime()>;

    static constexpr int kPassageCount = 10;

    // The local time; tests hand in their own clock to choose the minute.
    static QTime systemTime();
    static QString excerptLine();
    // Passage k (0..9): paragraphs that begin with four blanks and end with CR LF.
    static QString passage(int k);
    // excerptLine + CR LF CR LF + passage (minute mod 10).
    static QString build(int minute);
    static QString build(const Clock &clock);
};

} // namespace tolvane
