#include "naming/SuggestionText.h"

#include "numerology/DigitTables.h"
#include "text/Characters.h"

#include <QJsonArray>

namespace tolvane {

namespace {

const QString kBreak = QStringLiteral("\r\n");

QString sexWord(Sex sex)
{
    return sex == Sex::Female ? QStringLiteral("女孩") : QStringLiteral("男孩");
}

QString sourceWords(const SuggestionRequest &request)
{
    QStringList from;
    if (request.fromLibrary)
        from.append(QStringLiteral("字库"));
    if (request.classics)
        from.append(request.classics->names(QStringLiteral("、")));
    return from.join(QStringLiteral("、"));
}

QString partText(const ScorePart &part)
{
    return scorePartName(part.kind) + QLatin1Char(' ')
        + (part.judged ? QString::number(part.points) : QStringLiteral("未评"));
}

// Whether the naming rules test grid i (0 天格 .. 4 外格) for a given name of this length.
bool gridTested(int i, int givenCount)
{
    return i == 1 || i == 2 || i == 3 || (i == 4 && givenCount >= 2);
}

QString characterLine(const SuggestedCharacter &c)
{
    QString line = c.character + QStringLiteral("（") + QString::number(c.strokes) + QStringLiteral("画");
    if (!c.element.isEmpty())
        line += QStringLiteral("，") + c.element;
    line += QStringLiteral("）");
    QString meaning = c.meaning;
    // The meanings end with a full stop; the characters' meanings are joined with 、 and ；.
    while (meaning.endsWith(QStringLiteral("。")))
        meaning.chop(1);
    return line + (meaning.isEmpty() ? QStringLiteral("暂无释义") : meaning);
}

// The 字义 line of a name and, where it comes from a classic, its 出处 line.
QString meaningAndVerseLines(const SuggestedName &n)
{
    QStringList meanings;
    for (const SuggestedCharacter &c : n.characters)
        meanings.append(characterLine(c));
    QString text = QStringLiteral("    字义：") + meanings.join(QStringLiteral("；")) + kBreak;
    if (n.verse)
        text += QStringLiteral("    出处：") + *n.verse + kBreak;
    return text;
}

QJsonArray numbers(const std::array<qint16, 5> &list)
{
    QJsonArray a;
    for (qint16 n : list)
        a.append(int(n));
    return a;
}

QString elementsWords(const ElementSet &elements)
{
    return elements == ElementSet::all() ? QStringLiteral("五行不限")
                                         : QStringLiteral("五行") + elements.text();
}

} // namespace

QString SuggestionText::gridsLine(const SuggestedName &name)
{
    const std::array<qint16, 5> grids = name.configuration.grids.list();
    const int givenCount = int(name.characters.size());
    QStringList parts;
    for (int i = 0; i < 5; ++i) {
        const QString names[] = { QStringLiteral("天格"), QStringLiteral("人格"), QStringLiteral("地格"),
            QStringLiteral("总格"), QStringLiteral("外格") };
        parts.append(names[i] + QLatin1Char(' ') + QString::number(grids[size_t(i)]) + QLatin1Char(' ')
            + luckLevelText(name.gridLuck[size_t(i)])
            + (gridTested(i, givenCount) ? QString() : QStringLiteral("（不论）")));
    }
    return parts.join(QStringLiteral("，"));
}

QString SuggestionText::scoreLine(const SuggestedName &name)
{
    QStringList parts;
    for (const ScorePart &part : name.parts)
        parts.append(partText(part));
    return QStringLiteral("总分 ") + QString::number(name.score) + QStringLiteral("（") + parts.join(QStringLiteral("，"))
        + QStringLiteral("）");
}

QString SuggestionText::shortlist(const Suggestions &s, const QString &birthNote)
{
    const SuggestionRequest &r = s.request;
    QString text = QStringLiteral("推荐名字：") + r.surname + QStringLiteral("姓") + sexWord(r.sex)
        + (r.nameLength == 1 ? QStringLiteral("，单字名，") : QStringLiteral("，双字名，")) + elementsWords(r.elements)
        + QStringLiteral("，名字取自") + sourceWords(r) + QStringLiteral("。") + kBreak;
    QStringList wishes;
    if (!r.include.isEmpty())
        wishes.append(QStringLiteral("必须用“") + r.include + QStringLiteral("”字"));
    if (!r.exclude.isEmpty())
        wishes.append(QStringLiteral("不用") + splitCharacters(r.exclude).join(QStringLiteral("、")));
    if (r.minStrokes > 0 || r.maxStrokes > 0) {
        wishes.append(QStringLiteral("每字笔画") + (r.minStrokes > 0 ? QString::number(r.minStrokes) : QStringLiteral("1"))
            + QStringLiteral("到") + (r.maxStrokes > 0 ? QString::number(r.maxStrokes) : QStringLiteral("30"))
            + QStringLiteral("画"));
    }
    if (!wishes.isEmpty())
        text += QStringLiteral("另外的要求：") + wishes.join(QStringLiteral("；")) + QStringLiteral("。") + kBreak;
    if (!birthNote.isEmpty())
        text += QString(birthNote).replace(QLatin1Char('\n'), kBreak) + kBreak;
    text += QStringLiteral("在 %1 种全吉配置").arg(s.fullConfigurations);
    if (s.halfUsed)
        text += QStringLiteral("和 %1 种半吉配置").arg(s.halfConfigurations);
    // How the search was widened, in the order it was, before what it found.
    QStringList widened;
    if (s.halfUsed)
        widened.append(QStringLiteral("全吉配置里常用或成词的名字不足 %1 个，所以加入了半吉配置").arg(r.count));
    if (s.nameLikeUsed) {
        widened.append(QStringLiteral("名字仍凑不满 %1 个，又加入了一些不成词的搭配（首字常用作名字的头一个字，末字常用作末一个字）")
                           .arg(r.count));
    }
    if (s.varietyRelaxed)
        widened.append(QStringLiteral("为凑足名单，放宽了用字重复的限制"));
    if (widened.isEmpty())
        text += QStringLiteral("中找出 %1 个名字").arg(s.candidates);
    else
        text += QStringLiteral("中找名字：") + widened.join(QStringLiteral("；"))
            + QStringLiteral("。共找出 %1 个名字").arg(s.candidates);
    const int listed = int(s.names.size());
    if (listed == s.candidates)
        text += listed == 1 ? QStringLiteral("。") : QStringLiteral("，按得分从高到低全部列出。");
    else if (listed < r.count)
        text += QStringLiteral("，其中 %1 个与得分更高的名字用字重复太多，略去不列，按得分从高到低列出其余 %2 个。")
                    .arg(s.candidates - listed)
                    .arg(listed);
    else
        text += QStringLiteral("，这里是得分最高的 %1 个。").arg(listed);
    if (!s.moreWith.isEmpty()) {
        QStringList offers;
        for (const Suggestions::Relaxation &more : s.moreWith)
            offers.append(QStringLiteral("%1可得 %2 个名字").arg(more.wish).arg(more.names));
        text += QStringLiteral("名单不足 %1 个。").arg(r.count) + offers.join(QStringLiteral("；")) + QStringLiteral("。");
    }
    text += kBreak;
    if (s.girlsLeftOut > 0) {
        text += QStringLiteral("已除去 %1 种地格对女性婚姻不利的配置（姓名分析会对这样的名字提出警示）。").arg(s.girlsLeftOut)
            + kBreak;
    }
    text += QStringLiteral("总分由数理、五行、读音、字义四部分相加；同一个字最多用在 %1 个名字里，以同一个字开头的名字也不会太多。")
                .arg(s.characterLimit);
    if (!s.soundJudged)
        text += QStringLiteral("读音一项暂未评分。");
    text += kBreak + kBreak;

    for (qsizetype i = 0; i < s.names.size(); ++i) {
        const SuggestedName &n = s.names.at(i);
        text += QString::number(i + 1) + QStringLiteral(". ") + n.fullName() + QStringLiteral("（") + n.pinyin
            + QStringLiteral("）  ") + scoreLine(n) + kBreak;
        for (const QString &reason : n.reasons)
            text += QStringLiteral("    ") + reason + kBreak;
        text += QStringLiteral("    五格：") + gridsLine(n) + kBreak;
        text += meaningAndVerseLines(n) + kBreak;
    }
    return text;
}

QJsonObject SuggestionText::nameFields(const SuggestedName &n)
{
    QJsonObject o;
    o.insert(QStringLiteral("name"), n.fullName());
    o.insert(QStringLiteral("surname"), n.surname);
    o.insert(QStringLiteral("given"), n.given);
    o.insert(QStringLiteral("pinyin"), n.pinyin);
    o.insert(QStringLiteral("score"), n.score);
    QJsonObject parts;
    const char *keys[] = { "numerology", "elements", "sound", "meaning" };
    for (const ScorePart &part : n.parts) {
        const QString key = QLatin1String(keys[int(part.kind)]);
        parts.insert(key, part.judged ? QJsonValue(part.points) : QJsonValue(QJsonValue::Null));
    }
    o.insert(QStringLiteral("parts"), parts);
    o.insert(QStringLiteral("reasons"), QJsonArray::fromStringList(n.reasons));
    QJsonArray strokes;
    for (const SuggestedCharacter &c : n.characters)
        strokes.append(c.strokes);
    o.insert(QStringLiteral("strokes"), strokes);
    o.insert(QStringLiteral("grids"), numbers(n.configuration.grids.list()));
    QJsonArray luck;
    for (LuckLevel l : n.gridLuck)
        luck.append(luckLevelText(l));
    o.insert(QStringLiteral("gridLuck"), luck);
    o.insert(QStringLiteral("level"), luckLevelText(n.level));
    o.insert(QStringLiteral("sancai"), n.configuration.triple);
    o.insert(QStringLiteral("sancaiLuck"), luckLevelText(n.sancaiLevel));
    o.insert(QStringLiteral("pairKey"), n.configuration.pairKey);
    o.insert(QStringLiteral("pairLuck"), luckLevelText(n.pairLevel));
    QJsonArray chars;
    for (const SuggestedCharacter &c : n.characters) {
        QJsonObject ch;
        ch.insert(QStringLiteral("character"), c.character);
        ch.insert(QStringLiteral("strokes"), c.strokes);
        ch.insert(QStringLiteral("element"), c.element);
        ch.insert(QStringLiteral("pinyin"), c.pinyin);
        ch.insert(QStringLiteral("meaning"), c.meaning);
        chars.append(ch);
    }
    o.insert(QStringLiteral("characters"), chars);
    const char *kinds[] = { "", "word", "name", "unfit", "current" };
    o.insert(QStringLiteral("word"), QLatin1String(kinds[int(n.wordKind)]));
    o.insert(QStringLiteral("verse"), n.verse ? QJsonValue(*n.verse) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("soundFindings"), QJsonArray::fromStringList(n.soundFindings));
    o.insert(QStringLiteral("nameLike"), n.nameLike);
    return o;
}

QJsonObject SuggestionText::shortlistFields(const Suggestions &s)
{
    const SuggestionRequest &r = s.request;
    QJsonObject o;
    o.insert(QStringLiteral("surname"), r.surname);
    o.insert(QStringLiteral("sex"), sexText(r.sex));
    o.insert(QStringLiteral("length"), r.nameLength);
    o.insert(QStringLiteral("elements"), r.elements.text());
    QJsonArray sources;
    if (r.fromLibrary)
        sources.append(QStringLiteral("字库"));
    if (r.classics)
        sources.append(r.classics->names(QStringLiteral(",")));
    o.insert(QStringLiteral("sources"), sources);
    o.insert(QStringLiteral("count"), r.count);
    o.insert(QStringLiteral("exclude"), r.exclude);
    o.insert(QStringLiteral("include"), r.include);
    o.insert(QStringLiteral("minStrokes"), r.minStrokes);
    o.insert(QStringLiteral("maxStrokes"), r.maxStrokes);
    o.insert(QStringLiteral("fullConfigurations"), s.fullConfigurations);
    o.insert(QStringLiteral("halfConfigurations"), s.halfConfigurations);
    o.insert(QStringLiteral("halfUsed"), s.halfUsed);
    o.insert(QStringLiteral("nameLikeUsed"), s.nameLikeUsed);
    o.insert(QStringLiteral("varietyRelaxed"), s.varietyRelaxed);
    o.insert(QStringLiteral("girlsLeftOut"), s.girlsLeftOut);
    o.insert(QStringLiteral("candidates"), s.candidates);
    o.insert(QStringLiteral("soundJudged"), s.soundJudged);
    QJsonArray moreWith;
    for (const Suggestions::Relaxation &more : s.moreWith)
        moreWith.append(QJsonObject { { QStringLiteral("wish"), more.wish }, { QStringLiteral("names"), more.names } });
    o.insert(QStringLiteral("moreWith"), moreWith);
    QJsonArray names;
    for (const SuggestedName &n : s.names)
        names.append(nameFields(n));
    o.insert(QStringLiteral("names"), names);
    return o;
}

QString SuggestionText::comparison(const QList<SuggestedName> &names)
{
    QStringList full;
    for (const SuggestedName &n : names)
        full.append(n.fullName());
    QString text = QStringLiteral("名字比较：") + full.join(QStringLiteral("、")) + kBreak + kBreak;
    const auto row = [&](const QString &label, const std::function<QString(const SuggestedName &)> &cell) {
        QStringList cells { label };
        for (const SuggestedName &n : names)
            cells.append(cell(n));
        text += cells.join(QLatin1Char('\t')) + kBreak;
    };
    row(QStringLiteral("项目"), [](const SuggestedName &n) { return n.fullName(); });
    row(QStringLiteral("拼音"), [](const SuggestedName &n) { return n.pinyin; });
    row(QStringLiteral("总分"), [](const SuggestedName &n) { return QString::number(n.score); });
    for (int k = 0; k < 4; ++k) {
        row(scorePartName(ScorePart::Kind(k)), [k](const SuggestedName &n) {
            const ScorePart &p = n.parts.at(k);
            return p.judged ? QString::number(p.points) : QStringLiteral("未评");
        });
    }
    const QString gridNames[] = { QStringLiteral("天格"), QStringLiteral("人格"), QStringLiteral("地格"),
        QStringLiteral("总格"), QStringLiteral("外格") };
    for (int g = 0; g < 5; ++g) {
        row(gridNames[g], [g](const SuggestedName &n) {
            return QString::number(n.configuration.grids.list()[size_t(g)]) + QLatin1Char(' ')
                + luckLevelText(n.gridLuck[size_t(g)])
                + (gridTested(g, int(n.characters.size())) ? QString() : QStringLiteral("（不论）"));
        });
    }
    row(QStringLiteral("三才"),
        [](const SuggestedName &n) { return n.configuration.triple + QLatin1Char(' ') + luckLevelText(n.sancaiLevel); });
    row(QStringLiteral("人外搭配"), [](const SuggestedName &n) {
        return n.configuration.pairKey + QLatin1Char(' ') + luckLevelText(n.pairLevel);
    });
    row(QStringLiteral("用字五行"), [](const SuggestedName &n) {
        QStringList e;
        for (const SuggestedCharacter &c : n.characters)
            e.append(c.element.isEmpty() ? QStringLiteral("？") : c.element);
        return e.join(QString());
    });
    row(QStringLiteral("读音提醒"), [](const SuggestedName &n) {
        return n.parts.at(2).judged ? (n.soundFindings.isEmpty() ? QStringLiteral("无") : n.soundFindings.join(QStringLiteral("；")))
                                    : QStringLiteral("未评");
    });
    text += kBreak;
    for (const SuggestedName &n : names) {
        text += n.fullName() + QStringLiteral("：") + kBreak;
        for (const QString &reason : n.reasons)
            text += QStringLiteral("    ") + reason + kBreak;
        text += meaningAndVerseLines(n) + kBreak;
    }
    return text;
}

QJsonObject SuggestionText::comparisonFields(const QList<SuggestedName> &names)
{
    QJsonArray list;
    for (const SuggestedName &n : names)
        list.append(nameFields(n));
    QJsonObject o;
    o.insert(QStringLiteral("names"), list);
    return o;
}

} // namespace tolvane
