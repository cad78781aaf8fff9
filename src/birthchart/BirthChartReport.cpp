#include "birthchart/BirthChartReport.h"

#include "birthchart/SolarTerms.h"

#include <QJsonArray>
#include <QTimeZone>

#include <cmath>

namespace tolvane {

namespace {

// A birth recorded to the minute whose minute starts less than a minute after a boundary (a 节, or the start of
// an hour branch), or ends less than a minute before it, is noted: a minute's error in the record moves it across.
constexpr qint64 kNearBeforeMs = 60 * 1000;
constexpr qint64 kNearAfterMs = 120 * 1000;

bool nearBoundary(qint64 boundaryMinusBirthMs)
{
    return boundaryMinusBirthMs > -kNearBeforeMs && boundaryMinusBirthMs < kNearAfterMs;
}

QString tenths(int t)
{
    return t % 10 == 0 ? QString::number(t / 10) : QStringLiteral("%1.%2").arg(t / 10).arg(t % 10);
}

QString elementList(const QList<Element> &elements, const QString &separator)
{
    QString s;
    for (const Element e : elements) {
        if (!s.isEmpty())
            s += separator;
        s += elementChar(e);
    }
    return s;
}

QString zoneName(int offsetMinutes)
{
    if (offsetMinutes == 8 * 60)
        return QStringLiteral("北京时间");
    const int a = std::abs(offsetMinutes);
    QString s
        = QStringLiteral("UTC") + (offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+')) + QString::number(a / 60);
    if (a % 60)
        s += QStringLiteral(":%1").arg(a % 60, 2, 10, QLatin1Char('0'));
    return s;
}

QString chineseDateTime(const QDateTime &t)
{
    return QStringLiteral("%1年%2月%3日 %4")
        .arg(t.date().year())
        .arg(t.date().month())
        .arg(t.date().day())
        .arg(t.time().toString(QStringLiteral("HH:mm")));
}

// A term's instant in the birth's zone, rounded to the minute as almanacs print it.
QDateTime termInZone(const QDateTime &utc, int offsetMinutes)
{
    const qint64 rounded = (utc.toSecsSinceEpoch() + 30) / 60 * 60;
    return QDateTime::fromSecsSinceEpoch(rounded, Qt::OffsetFromUTC, offsetMinutes * 60);
}

QString signedMinutesSeconds(double seconds)
{
    const qint64 s = std::llround(seconds);
    const qint64 a = std::abs(s);
    return QStringLiteral("%1%2分%3秒").arg(s < 0 ? QStringLiteral("-") : QString()).arg(a / 60).arg(a % 60);
}

QString longitudeText(double longitude)
{
    return (longitude < 0 ? QStringLiteral("西经") : QStringLiteral("东经")) + QString::number(std::abs(longitude))
        + QChar(u'°');
}

// Whether the clock time was summer time in China (1986-1991) while the birth is given in Beijing time.
bool inChineseSummerTime(const BirthChart &chart)
{
    if (chart.moment.utcOffsetMinutes != 8 * 60)
        return false;
    static const QTimeZone shanghai("Asia/Shanghai");
    return shanghai.isValid() && shanghai.isDaylightTime(chart.instantUtc);
}

QString countsLine(const std::array<int, kElementCount> &counts, bool inTenths)
{
    QString s;
    for (int e = 0; e < kElementCount; ++e) {
        if (e)
            s += QLatin1Char(' ');
        s += elementChar(ElementSet::kWishOrder[e]) + (inTenths ? tenths(counts[e]) : QString::number(counts[e]));
    }
    return s;
}

QString pillarLine(const QString &label, const Pillar &p)
{
    const HiddenStems hidden = hiddenStems(p.branch);
    QString stems;
    for (int i = 0; i < hidden.count; ++i)
        stems += stemName(hidden.stems[i]);
    return label + QStringLiteral("：") + p.text() + QStringLiteral("（") + elementChar(stemElement(p.stem))
        + elementChar(branchElement(p.branch)) + QStringLiteral("）　藏干：") + stems + QLatin1Char('\n');
}

// The note for a birth within a minute of a 节, with the 节's instant to the second in the birth's zone.
QString nearTermNote(const BirthChart &chart)
{
    const bool afterOpening = nearBoundary(chart.instantUtc.msecsTo(chart.monthTermInstant));
    const bool beforeNext = nearBoundary(chart.instantUtc.msecsTo(chart.nextTermInstant));
    if (!afterOpening && !beforeNext)
        return {};
    const int term = afterOpening ? chart.monthTerm : chart.nextTerm;
    const QDateTime instant = (afterOpening ? chart.monthTermInstant : chart.nextTermInstant)
                                  .toOffsetFromUtc(chart.moment.utcOffsetMinutes * 60);
    return QStringLiteral("注：出生时刻离") + solar::termName(term) + QStringLiteral("交节（")
        + instant.time().toString(QStringLiteral("HH:mm:ss"))
        + QStringLiteral("）不到一分钟，出生时间若早晚一分钟，月柱（立春前后还有年柱）就可能不同，请核对出生时间。\n");
}

// The note for a birth within a minute of the start of an hour branch (and of midnight when the day pillar
// changes then), read in the time the hour pillar is read from.
QString nearHourNote(const BirthChart &chart)
{
    const qint64 birthMs = chart.chartTime.time().msecsSinceStartOfDay();
    QList<qint64> boundaries;
    for (int hour = -1; hour <= 25; hour += 2)
        boundaries.append(qint64(hour) * 3600 * 1000);
    if (chart.moment.lateZiHour == LateZiHour::SameDay) {
        boundaries.append(0);
        boundaries.append(qint64(24) * 3600 * 1000);
    }
    for (const qint64 boundary : std::as_const(boundaries)) {
        if (!nearBoundary(boundary - birthMs))
            continue;
        const int hour = int((boundary / (3600 * 1000) + 24) % 24);
        const QString start = hour % 2
            ? QString(branchName((hour + 1) / 2 % kBranchCount)) + QStringLiteral("时的起点")
            : QStringLiteral("日柱换日的");
        return QStringLiteral("注：按") + (chart.moment.longitude ? QStringLiteral("真太阳时") : QStringLiteral("钟表时间"))
            + QStringLiteral("，出生时刻") + chart.chartTime.time().toString(QStringLiteral("HH:mm:ss"))
            + QStringLiteral("离") + start + QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'))
            + QStringLiteral("不到一分钟，出生时间若早晚一分钟，时柱（子时前后还有日柱）就可能不同，请核对出生时间。\n");
    }
    return {};
}

QString strengthWord(DayMasterStrength strength)
{
    switch (strength) {
    case DayMasterStrength::Strong:
        return QStringLiteral("身强");
    case DayMasterStrength::Balanced:
        return QStringLiteral("中和");
    case DayMasterStrength::Weak:
        break;
    }
    return QStringLiteral("身弱");
}

QString strengthKey(DayMasterStrength strength)
{
    switch (strength) {
    case DayMasterStrength::Strong:
        return QStringLiteral("strong");
    case DayMasterStrength::Balanced:
        return QStringLiteral("balanced");
    case DayMasterStrength::Weak:
        break;
    }
    return QStringLiteral("weak");
}

QString pillarsText(const BirthChart &chart)
{
    QStringList pillars;
    for (const Pillar &p : chart.pillars)
        pillars.append(p.text());
    return pillars.join(QLatin1Char(' '));
}

} // namespace

QString formatBirthChartReport(const BirthChart &chart)
{
    const BirthMoment &m = chart.moment;
    const ElementBalance &b = chart.balance;
    QString r = QStringLiteral("生辰八字\n");
    r += QStringLiteral("出生时间：") + chineseDateTime(QDateTime(m.date, QTime(m.time.hour(), m.time.minute())))
        + QStringLiteral("（") + zoneName(m.utcOffsetMinutes) + QStringLiteral("）\n");
    if (inChineseSummerTime(chart))
        r += QStringLiteral("注：当时中国实行夏令时，若出生时间是按夏令时记的，请减去一小时再排。\n");
    if (m.longitude) {
        const double longitudeSeconds = *m.longitude * 240.0 - m.utcOffsetMinutes * 60.0;
        r += QStringLiteral("真太阳时：") + chineseDateTime(chart.chartTime) + QStringLiteral("（")
            + longitudeText(*m.longitude) + QStringLiteral("，经度时差") + signedMinutesSeconds(longitudeSeconds)
            + QStringLiteral("，均时差") + signedMinutesSeconds(chart.equationOfTimeMinutes * 60.0)
            + QStringLiteral("），日柱、时柱按真太阳时排\n");
    } else {
        r += QStringLiteral("日柱、时柱按出生地钟表时间排（未给经度，不换算真太阳时）\n");
    }
    r += QStringLiteral("节气：") + solar::termName(chart.monthTerm) + QLatin1Char(' ')
        + chineseDateTime(termInZone(chart.monthTermInstant, m.utcOffsetMinutes)) + QStringLiteral("交节，下一节")
        + solar::termName(chart.nextTerm) + QLatin1Char(' ')
        + chineseDateTime(termInZone(chart.nextTermInstant, m.utcOffsetMinutes)) + QLatin1Char('\n');
    r += nearTermNote(chart);
    r += nearHourNote(chart);
    r += m.lateZiHour == LateZiHour::NextDay
        ? QStringLiteral("子时：23点起算次日的子时，日柱随之换日\n")
        : QStringLiteral("子时：23点至24点为夜子时，日柱仍按当日，时柱用次日的子时\n");
    r += QLatin1Char('\n');
    r += pillarLine(QStringLiteral("年柱"), chart.pillars[0]);
    r += pillarLine(QStringLiteral("月柱"), chart.pillars[1]);
    r += pillarLine(QStringLiteral("日柱"), chart.pillars[2]);
    r += pillarLine(QStringLiteral("时柱"), chart.pillars[3]);
    r += QStringLiteral("八字：") + chart.pillars[0].text() + QLatin1Char(' ') + chart.pillars[1].text()
        + QLatin1Char(' ') + chart.pillars[2].text() + QLatin1Char(' ') + chart.pillars[3].text() + QLatin1Char('\n');
    r += QLatin1Char('\n');
    r += QStringLiteral("八字五行（八个字各计1）：") + countsLine(b.characterCounts, false) + QLatin1Char('\n');
    r += QStringLiteral("藏干加权（天干各计1；地支按藏干分：一干计1，二干计0.7、0.3，三干计0.6、0.3、0.1）：")
        + countsLine(b.weightedTenths, true) + QLatin1Char('\n');
    r += b.missing.isEmpty()
        ? QStringLiteral("五行不缺\n")
        : QStringLiteral("五行缺：") + elementList(b.missing, QStringLiteral("、")) + QLatin1Char('\n');
    r += QStringLiteral("最弱：") + elementList(b.weakest, QStringLiteral("、")) + QLatin1Char('\n');
    r += QStringLiteral("月令加权（同上，月支按三倍计，共10）：") + countsLine(b.strengthTenths, true) + QLatin1Char('\n');
    const int half = 50;
    r += QStringLiteral("日主：") + stemName(chart.pillars[2].stem) + elementChar(b.dayMaster) + QStringLiteral("，生于")
        + branchName(chart.pillars[1].branch) + QStringLiteral("月，同我与生我合计") + tenths(b.advice.supportTenths)
        + (b.advice.supportTenths > half       ? QStringLiteral("，超过总数10的一半，")
                : b.advice.supportTenths < half ? QStringLiteral("，不足总数10的一半，")
                                                : QStringLiteral("，恰好是总数10的一半，"))
        + strengthWord(b.advice.strength) + QLatin1Char('\n');
    r += QStringLiteral("建议名字补：") + elementList(b.advice.elements, QStringLiteral("、")) + QLatin1Char('\n');
    r += QStringLiteral("理由：") + b.advice.reason + QLatin1Char('\n');
    r += nameElementRuleSentence() + QLatin1Char('\n');
    r += QLatin1Char('\n');
    r += QStringLiteral("名词解释\n");
    r += QStringLiteral("藏干：地支里藏着的天干，一个地支藏一到三个，按主次分掉这个地支的分量。\n");
    r += QStringLiteral("日主：日柱的天干，代表命主本人，它的五行就是命主自己的五行。\n");
    r += QStringLiteral("同我、生我、我生、我克、克我：与日主五行相同的是同我，生日主的是生我，日主所生的是我生，"
                        "日主所克的是我克，克日主的是克我。\n");
    r += QStringLiteral("身强、身弱：同我、生我两行帮扶日主，它们的分量超过一半是身强，不足一半是身弱，恰好一半是中和。\n");
    r += QStringLiteral("建议五行：身强的取我生、我克两行来消耗过旺的日主，身弱的取生我、同我两行来扶助它，"
                        "名字用字取这几行的字，使八字五行趋于平衡。\n");
    return r;
}

QJsonObject birthChartJson(const BirthChart &chart)
{
    const BirthMoment &m = chart.moment;
    const ElementBalance &b = chart.balance;
    const auto elementArray = [](const QList<Element> &elements) {
        QJsonArray a;
        for (const Element e : elements)
            a.append(QString(elementChar(e)));
        return a;
    };
    const auto countObject = [](const std::array<int, kElementCount> &counts, double scale) {
        QJsonObject o;
        for (int e = 0; e < kElementCount; ++e)
            o.insert(QString(elementChar(ElementSet::kWishOrder[e])), counts[e] / scale);
        return o;
    };
    QJsonObject o;
    o.insert(QStringLiteral("birth"),
        QDateTime(m.date, QTime(m.time.hour(), m.time.minute())).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    o.insert(QStringLiteral("utcOffsetMinutes"), m.utcOffsetMinutes);
    if (m.longitude) {
        o.insert(QStringLiteral("longitude"), *m.longitude);
        o.insert(QStringLiteral("equationOfTimeMinutes"), std::round(chart.equationOfTimeMinutes * 100) / 100);
    }
    o.insert(QStringLiteral("chartTime"), chart.chartTime.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    o.insert(QStringLiteral("lateZiHour"),
        m.lateZiHour == LateZiHour::NextDay ? QStringLiteral("nextDay") : QStringLiteral("sameDay"));
    o.insert(QStringLiteral("monthTerm"), solar::termName(chart.monthTerm));
    o.insert(QStringLiteral("monthTermUtc"), chart.monthTermInstant.toString(Qt::ISODate));
    o.insert(QStringLiteral("nextTerm"), solar::termName(chart.nextTerm));
    o.insert(QStringLiteral("nextTermUtc"), chart.nextTermInstant.toString(Qt::ISODate));
    QJsonArray pillars;
    for (const Pillar &p : chart.pillars)
        pillars.append(p.text());
    o.insert(QStringLiteral("pillars"), pillars);
    o.insert(QStringLiteral("characterCounts"), countObject(b.characterCounts, 1.0));
    o.insert(QStringLiteral("weightedCounts"), countObject(b.weightedTenths, 10.0));
    o.insert(QStringLiteral("missing"), elementArray(b.missing));
    o.insert(QStringLiteral("weakest"), elementArray(b.weakest));
    o.insert(QStringLiteral("dayMaster"), QString(elementChar(b.dayMaster)));
    o.insert(QStringLiteral("strengthCounts"), countObject(b.strengthTenths, 10.0));
    o.insert(QStringLiteral("strongDayMaster"), b.advice.strongDayMaster);
    o.insert(QStringLiteral("strength"), strengthKey(b.advice.strength));
    o.insert(QStringLiteral("suggested"), elementArray(b.advice.elements));
    o.insert(QStringLiteral("reason"), b.advice.reason);
    o.insert(QStringLiteral("rule"), nameElementRuleSentence());
    return o;
}

ParsedInput<BirthChart> chartForBirth(const QString &typed)
{
    const ParsedInput<BirthMoment> moment = parseBirthLine(typed);
    if (!moment.value)
        return { std::nullopt, moment.rejection };
    std::optional<BirthChart> chart = computeBirthChart(*moment.value);
    if (!chart)
        return { std::nullopt, UserMessage::plain(birthMomentProblem(*moment.value)) };
    return { std::move(chart), std::nullopt };
}

QString namingChartHeader(const BirthChart &chart)
{
    const BirthMoment &m = chart.moment;
    return QStringLiteral("生辰八字：") + pillarsText(chart) + QStringLiteral("（")
        + chineseDateTime(QDateTime(m.date, QTime(m.time.hour(), m.time.minute()))) + QLatin1Char(' ')
        + zoneName(m.utcOffsetMinutes)
        + (m.longitude ? QStringLiteral("，") + longitudeText(*m.longitude) + QStringLiteral("真太阳时") : QString())
        + QStringLiteral("）\n") + QStringLiteral("名字五行：") + elementList(chart.balance.advice.elements, QStringLiteral("、"))
        + QLatin1Char('\n') + QStringLiteral("理由：") + chart.balance.advice.reason + QLatin1Char('\n');
}

QJsonObject namingChartJson(const BirthChart &chart)
{
    const BirthMoment &m = chart.moment;
    const NameElementAdvice &advice = chart.balance.advice;
    QJsonObject o;
    o.insert(QStringLiteral("birth"),
        QDateTime(m.date, QTime(m.time.hour(), m.time.minute())).toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    o.insert(QStringLiteral("utcOffsetMinutes"), m.utcOffsetMinutes);
    if (m.longitude)
        o.insert(QStringLiteral("longitude"), *m.longitude);
    QJsonArray pillars;
    for (const Pillar &p : chart.pillars)
        pillars.append(p.text());
    o.insert(QStringLiteral("pillars"), pillars);
    o.insert(QStringLiteral("dayMaster"), QString(elementChar(chart.balance.dayMaster)));
    o.insert(QStringLiteral("strength"), strengthKey(advice.strength));
    QJsonArray suggested;
    for (const Element e : advice.elements)
        suggested.append(QString(elementChar(e)));
    o.insert(QStringLiteral("suggested"), suggested);
    o.insert(QStringLiteral("reason"), advice.reason);
    return o;
}

ParsedInput<BirthElementAdvice> adviseElementsForBirth(const QString &typed)
{
    const ParsedInput<BirthChart> chart = chartForBirth(typed);
    if (!chart.value)
        return { std::nullopt, chart.rejection };
    const BirthChart &c = *chart.value;
    const ElementBalance &b = c.balance;
    const QString summary = QStringLiteral("八字：") + pillarsText(c) + QStringLiteral("，日主")
        + stemName(c.pillars[2].stem) + elementChar(b.dayMaster) + QStringLiteral("，") + strengthWord(b.advice.strength)
        + QStringLiteral("\n建议名字补：") + elementList(b.advice.elements, QStringLiteral("、"));
    return { BirthElementAdvice { suggestedElements(c), summary, namingChartHeader(c), namingChartJson(c) },
        std::nullopt };
}

ElementSet suggestedElements(const BirthChart &chart)
{
    ElementSet elements;
    for (const Element e : chart.balance.advice.elements)
        elements.insert(e);
    return elements;
}

} // namespace tolvane
