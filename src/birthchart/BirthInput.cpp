#include "birthchart/BirthInput.h"

#include <QRegularExpression>

#include <cmath>

namespace tolvane {

namespace {

template <typename T> ParsedInput<T> rejected(const QString &text)
{
    return { std::nullopt, UserMessage::plain(text) };
}

// Full-width digits, colons, hyphens, slashes, plus signs and the ideographic space become their ASCII
// forms; blanks at either end go.
QString normalizedInput(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

QString quoted(const QString &text)
{
    constexpr int kShown = 24;
    const QString shown = text.size() > kShown ? text.left(kShown) + QChar(u'…') : text;
    return QChar(u'“') + shown + QChar(u'”');
}

} // namespace

ParsedInput<BirthMoment> parseBirthMoment(const QString &text)
{
    const QString input = normalizedInput(text);
    const QString example = QStringLiteral("，例如 2024-02-04 16:30。");
    if (input.isEmpty())
        return rejected<BirthMoment>(QStringLiteral("请输入出生日期和时间") + example);

    static const QRegularExpression dateOnly(QStringLiteral("^\\d{4}[-/]\\d{1,2}[-/]\\d{1,2}$"));
    if (dateOnly.match(input).hasMatch())
        return rejected<BirthMoment>(QStringLiteral("请在日期后写上出生的时和分") + example);
    static const QRegularExpression full(
        QStringLiteral("^(\\d{4})([-/])(\\d{1,2})\\2(\\d{1,2})\\s+(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = full.match(input);
    if (!m.hasMatch())
        return rejected<BirthMoment>(QStringLiteral("无法识别出生时间") + quoted(input)
            + QStringLiteral("，请按“年-月-日 时:分”输入") + example);

    const int year = m.captured(1).toInt();
    const int month = m.captured(3).toInt();
    const int day = m.captured(4).toInt();
    const int hour = m.captured(5).toInt();
    const int minute = m.captured(6).toInt();
    if (year < BirthMoment::kFirstYear || year > BirthMoment::kLastYear)
        return rejected<BirthMoment>(
            QStringLiteral("出生年份须在%1年至%2年之间。").arg(BirthMoment::kFirstYear).arg(BirthMoment::kLastYear));
    if (month < 1 || month > 12)
        return rejected<BirthMoment>(QStringLiteral("月份须在1至12之间。"));
    const int daysInMonth = QDate(year, month, 1).daysInMonth();
    if (day < 1 || day > daysInMonth)
        return rejected<BirthMoment>(
            QStringLiteral("%1年%2月只有%3天，没有%4日。").arg(year).arg(month).arg(daysInMonth).arg(day));
    if (hour > 23)
        return rejected<BirthMoment>(QStringLiteral("小时须在0至23之间，午夜零点请写作次日的 00:00。"));
    if (minute > 59)
        return rejected<BirthMoment>(QStringLiteral("分钟须在0至59之间。"));

    BirthMoment moment;
    moment.date = QDate(year, month, day);
    moment.time = QTime(hour, minute);
    return { moment, std::nullopt };
}

ParsedInput<double> parseLongitude(const QString &text)
{
    const QString input = normalizedInput(text);
    static const QRegularExpression number(QStringLiteral("^[-+]?(\\d{1,3}(\\.\\d*)?|\\.\\d+)$"));
    const double value = input.toDouble();
    if (!number.match(input).hasMatch() || !(std::abs(value) <= 180.0))
        return rejected<double>(QStringLiteral("经度须是-180至180之间的数（东经为正，西经为负），例如 116.4。"));
    return { value, std::nullopt };
}

ParsedInput<int> parseUtcOffset(const QString &text)
{
    const QString input = normalizedInput(text).toUpper();
    const QString message = QStringLiteral("时区须写作 +08:00 这样的形式，在 -12:00 至 +14:00 之间。");
    static const QRegularExpression zero(QStringLiteral("^(UTC|GMT|Z|[+-]?0{1,2}(:?00)?)$"));
    if (zero.match(input).hasMatch())
        return { 0, std::nullopt };
    static const QRegularExpression offset(QStringLiteral("^(?:UTC|GMT)?\\s*([+-])(\\d{1,2})(?::?(\\d{2}))?$"));
    const QRegularExpressionMatch m = offset.match(input);
    if (!m.hasMatch())
        return rejected<int>(message);
    const int hours = m.captured(2).toInt();
    const int minutes = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (minutes > 59)
        return rejected<int>(message);
    const int total = (m.captured(1) == QLatin1String("-") ? -1 : 1) * (hours * 60 + minutes);
    if (total < -12 * 60 || total > 14 * 60)
        return rejected<int>(message);
    return { total, std::nullopt };
}

ParsedInput<BirthMoment> parseBirthLine(const QString &text)
{
    QStringList parts
        = normalizedInput(text).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    // The other school's 23:00 rule, asked for by its name anywhere after the date.
    const qsizetype lateZiWords = parts.removeAll(lateZiWord());
    if (parts.size() < 2)
        return parseBirthMoment(parts.join(QLatin1Char(' ')));
    ParsedInput<BirthMoment> parsed = parseBirthMoment(parts[0] + QLatin1Char(' ') + parts[1]);
    if (!parsed.value)
        return parsed;
    const QString extras = QStringLiteral("出生时间后最多再写出生地经度和时区，例如 2024-02-04 16:30 116.4 +08:00。");
    if (parts.size() > 4 || lateZiWords > 1)
        return rejected<BirthMoment>(extras);
    if (lateZiWords == 1)
        parsed.value->lateZiHour = LateZiHour::SameDay;
    bool zoneGiven = false;
    for (qsizetype i = 2; i < parts.size(); ++i) {
        const QString &part = parts[i];
        const bool zone = part.contains(QLatin1Char(':')) || part.startsWith(QLatin1String("UTC"), Qt::CaseInsensitive)
            || part.startsWith(QLatin1String("GMT"), Qt::CaseInsensitive);
        if (zone) {
            const ParsedInput<int> offset = parseUtcOffset(part);
            if (!offset.value)
                return { std::nullopt, offset.rejection };
            if (zoneGiven)
                return rejected<BirthMoment>(extras);
            parsed.value->utcOffsetMinutes = *offset.value;
            zoneGiven = true;
        } else {
            const ParsedInput<double> longitude = parseLongitude(part);
            if (!longitude.value)
                return { std::nullopt, longitude.rejection };
            if (parsed.value->longitude)
                return rejected<BirthMoment>(extras);
            parsed.value->longitude = *longitude.value;
        }
    }
    return parsed;
}

QString lateZiWord()
{
    return QStringLiteral("夜子时");
}

QString utcOffsetText(int offsetMinutes)
{
    const int a = std::abs(offsetMinutes);
    return QStringLiteral("UTC%1%2:%3")
        .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(a / 60, 2, 10, QLatin1Char('0'))
        .arg(a % 60, 2, 10, QLatin1Char('0'));
}

} // namespace tolvane
