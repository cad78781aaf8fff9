#include "analysis/StrokeNumbersParser.h"

#include "analysis/GridNumberParser.h"
#include "text/VbText.h"

namespace tolvane {

Outcome<QList<int>> StrokeNumbersParser::parse(const QString &input)
{
    Outcome<QList<int>> result;
    const QString text = trimSpaces(input);
    const auto reject = [&result](const UserMessage &message) {
        result.messages.append(message);
        return result;
    };

    QList<int> read;
    bool overflow = false;
    bool bad = false;
    bool walkedToTheEnd = true;
    QString run;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' '))
            continue;
        if (c.unicode() < u'0' || c.unicode() > u'9') {
            result.messages.append(UserMessage::plain(QStringLiteral("输入必须为数字！")));
            bad = true;
            walkedToTheEnd = false;
            break;
        }
        run += c;
        if (GridNumberParser::endsNumber(text, i)) {
            const int value = GridNumberParser::runValue(run);
            if (value > 32767)
                overflow = true;
            read.append(value);
            run.clear();
            if (read.size() == 5)
                return reject(UserMessage::plain(QStringLiteral("最多只能输入四个数字。")));
        }
    }
    if (walkedToTheEnd && read.size() < 2)
        return reject(UserMessage::plain(QStringLiteral("至少需输入两个数字。")));
    if (overflow)
        return reject(UserMessage::warning(QStringLiteral("输入的数据不对或太大。"), QStringLiteral("笔画数错误")));
    for (int n : read) {
        if (n > 30)
            return reject(UserMessage::plain(QStringLiteral("汉字笔画数最大是30。")));
        if (n == 0)
            return reject(UserMessage::plain(QStringLiteral("汉字笔画数不能是0。")));
    }
    if (!bad)
        result.value = read;
    return result;
}

} // namespace tolvane
