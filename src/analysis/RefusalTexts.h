#pragma once

#include "text/UserMessage.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace tolvane {

// Refusals that tell the person what cannot work and why, where the older texts would send them to the
// programmer or to options that cannot help. The window and the command line show the same texts.
class RefusalTexts final {
public:
    // Whether a character is one the stroke count is taken of: a Chinese character (Han script, 〇 included).
    static bool isChinese(const QString &character)
    {
        return !character.isEmpty() && QChar::script(character.toUcs4().constFirst()) == QChar::Script_Han;
    }

    // 公司名分析 of a name with characters the library lacks that are not Chinese (letters, digits, blanks):
    // the name is refused, not analysed without them, since the total would then belong to another name.
    // `others` are those characters, each once, in the order they come; `chinese` the name's Chinese
    // characters (may be empty).
    static UserMessage companyNameNotChinese(const QString &name, const QStringList &others, const QString &chinese)
    {
        QStringList shown;
        for (const QString &ch : others)
            shown.append(ch == QStringLiteral(" ") || ch == QStringLiteral("\u3000") ? QStringLiteral("空格") : ch);
        QString text = QStringLiteral("公司名分析只计算汉字的笔画数。“%1”中的%2不是汉字，本程序没有分析这个名称。")
                           .arg(name, shown.join(QStringLiteral("、")));
        if (!chinese.isEmpty())
            text += QStringLiteral("如果只分析其中的汉字，请输入“%1”。").arg(chinese);
        else
            text += QStringLiteral("请输入汉字名称。");
        return UserMessage::warning(text);
    }

    // Fixed-character naming where the fixed character, at its place, makes every configuration unlucky
    // whatever the options: no option can help. `elsewhere` says whether the other place would find some.
    static UserMessage fixedCharacterAlwaysUnlucky(
        const QString &surname, const QString &fixed, bool fixedIsSecond, bool elsewhere)
    {
        QString text = QStringLiteral("“%1”字作为名字的%2个字，与“%3”姓配出的所有笔画组合都不吉利，"
                                      "无论选择哪种性别、是否允许半吉，都找不出合适的名字。")
                           .arg(fixed, fixedIsSecond ? QStringLiteral("第二") : QStringLiteral("第一"), surname);
        if (elsewhere)
            text += QStringLiteral("请换一个字，或把“%1”放在名字的%2个字再试。")
                        .arg(fixed, fixedIsSecond ? QStringLiteral("第一") : QStringLiteral("第二"));
        else
            text += QStringLiteral("“%1”字放在名字的哪个位置都是这样，请换一个字再试。").arg(fixed);
        return UserMessage::plain(text);
    }
};

} // namespace tolvane
