#include "PoetryPackage.h"

#include "VerseText.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace tolvane::mkclassics {

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

std::optional<QJsonArray> readArray(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot read %1").arg(path));
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    // 大学 and 中庸 are one chapter each, stored as a single object.
    if (parseError.error == QJsonParseError::NoError && doc.isObject())
        return QJsonArray { doc.object() };
    if (parseError.error != QJsonParseError::NoError || !doc.isArray()) {
        fail(error, QStringLiteral("%1: not a JSON array (%2)").arg(path, parseError.errorString()));
        return std::nullopt;
    }
    return doc.array();
}

// The numbered files name.N.json of a folder, by their number.
QStringList numberedFiles(const QString &folder, const QString &stem)
{
    const QRegularExpression pattern(QStringLiteral("^%1\\.(\\d+)\\.json$").arg(QRegularExpression::escape(stem)));
    QList<std::pair<qint64, QString>> found;
    const QStringList names = QDir(folder).entryList({ stem + QStringLiteral(".*.json") }, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch m = pattern.match(name);
        if (m.hasMatch())
            found.append({ m.captured(1).toLongLong(), QDir(folder).filePath(name) });
    }
    std::sort(found.begin(), found.end());
    QStringList files;
    for (const auto &f : found)
        files.append(f.second);
    return files;
}

QString joined(const QString &a, const QString &b)
{
    if (a.isEmpty() || a == b)
        return b;
    return a + QStringLiteral("·") + b;
}

} // namespace

PoetryPackage::PoetryPackage(QString dir)
    : m_dir(std::move(dir))
{
}

bool PoetryPackage::isTraditional(Classic classic)
{
    return classic != Classic::Shijing && classic != Classic::Lunyu && classic != Classic::Chuci;
}

std::optional<QString> PoetryPackage::version(QString *error) const
{
    const QString path = QDir(m_dir).filePath(QStringLiteral("package.json"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot read %1 (scripts/setup.sh installs the chinese-poetry package)").arg(path));
        return std::nullopt;
    }
    const QJsonObject package = QJsonDocument::fromJson(file.readAll()).object();
    if (package.value(QStringLiteral("name")).toString() != u"chinese-poetry") {
        fail(error, QStringLiteral("%1 is not the chinese-poetry package").arg(path));
        return std::nullopt;
    }
    return package.value(QStringLiteral("version")).toString();
}

std::optional<QStringList> PoetryPackage::files(Classic classic, QString *error) const
{
    const QDir dist(QDir(m_dir).filePath(QStringLiteral("dist")));
    QStringList files;
    switch (classic) {
    case Classic::Shijing:
        files = { dist.filePath(QStringLiteral("shijing/shijing.json")) };
        break;
    case Classic::Lunyu:
        files = { dist.filePath(QStringLiteral("lunyu/lunyu.json")) };
        break;
    case Classic::Chuci:
        files = { dist.filePath(QStringLiteral("chuci/chuci.json")) };
        break;
    case Classic::Tangshi:
        files = numberedFiles(dist.filePath(QStringLiteral("quantangshi")), QStringLiteral("poet.tang"));
        break;
    case Classic::Songci:
        files = numberedFiles(dist.filePath(QStringLiteral("songci")), QStringLiteral("ci.song"));
        break;
    case Classic::Mengzi:
        files = { dist.filePath(QStringLiteral("sishuwujing/mengzi.json")) };
        break;
    case Classic::Daxue:
        files = { dist.filePath(QStringLiteral("sishuwujing/daxue.json")) };
        break;
    case Classic::Zhongyong:
        files = { dist.filePath(QStringLiteral("sishuwujing/zhongyong.json")) };
        break;
    case Classic::Songshi:
        files = numberedFiles(dist.filePath(QStringLiteral("quantangshi")), QStringLiteral("poet.song"));
        break;
    }
    for (const QString &f : std::as_const(files)) {
        if (!QFile::exists(f)) {
            fail(error, QStringLiteral("missing %1").arg(f));
            return std::nullopt;
        }
    }
    if (files.isEmpty()) {
        fail(error, QStringLiteral("no files of %1 under %2").arg(classicName(classic), dist.path()));
        return std::nullopt;
    }
    return files;
}

std::optional<QList<SourcePoem>> PoetryPackage::poems(
    Classic classic, const TraditionalConverter &converter, const CharacterForms &forms, QString *error) const
{
    const std::optional<QStringList> paths = files(classic, error);
    if (!paths)
        return std::nullopt;
    const bool convert = isTraditional(classic);
    const QString text = classic == Classic::Shijing || classic == Classic::Chuci ? QStringLiteral("content")
                                                                                  : QStringLiteral("paragraphs");
    QList<SourcePoem> poems;
    for (const QString &path : *paths) {
        const std::optional<QJsonArray> entries = readArray(path, error);
        if (!entries)
            return std::nullopt;
        for (const QJsonValue &value : *entries) {
            const QJsonObject o = value.toObject();
            const auto field = [&o](const char *key) { return o.value(QLatin1String(key)).toString().trimmed(); };
            SourcePoem poem;
            switch (classic) {
            case Classic::Shijing:
                // Cited as 周南·关雎 in 国风, 小雅·鹿鸣 in the others.
                poem.title = joined(field("chapter") == u"国风" ? field("section") : field("chapter"), field("title"));
                break;
            case Classic::Chuci:
                poem.title = joined(field("section"), field("title"));
                poem.author = field("author");
                break;
            case Classic::Lunyu:
                poem.title = field("chapter");
                break;
            case Classic::Tangshi:
            case Classic::Songshi:
                poem.title = field("title");
                poem.author = field("author");
                break;
            case Classic::Mengzi:
                poem.title = field("chapter");
                break;
            case Classic::Daxue:
            case Classic::Zhongyong:
                // One chapter named as the book: cited by the book's name alone.
                break;
            case Classic::Songci:
                poem.title = field("rhythmic");
                poem.author = field("author");
                break;
            }
            const QJsonValue paragraphs = o.value(text);
            if (!paragraphs.isArray()) {
                fail(error, QStringLiteral("%1: an entry without \"%2\"").arg(path, text));
                return std::nullopt;
            }
            for (const QJsonValue &p : paragraphs.toArray())
                poem.paragraphs.append(p.toString().replace(QLatin1Char('\n'), QLatin1Char(' ')));
            if (convert) {
                // One call per poem: OpenCC keeps the line breaks, and phrases are matched within a line.
                const QString whole = (QStringList { poem.title } + poem.paragraphs).join(QLatin1Char('\n'));
                const QStringList parts = converter.toSimplified(whole).split(QLatin1Char('\n'));
                if (parts.size() != poem.paragraphs.size() + 1) {
                    fail(error, QStringLiteral("%1: conversion changed the lines of \"%2\"").arg(path, poem.title));
                    return std::nullopt;
                }
                poem.title = parts.at(0);
                poem.paragraphs = parts.mid(1);
            }
            poem.author = forms.authorName(poem.author);
            // An editor's note in a title (兵要望江南 委任第一（京本作「占委任第一」二十六首）) goes as in the lines.
            poem.title = forms.standardText(VerseText::cleaned(poem.title));
            // Some lyrics' titles join the tune and its other name with the katakana middle dot (百字令・念奴娇); the
            // Chinese interpunct is the one every other title uses.
            poem.title.replace(QChar(0x30FB), QChar(0x00B7));
            for (QString &paragraph : poem.paragraphs)
                paragraph = forms.standardText(paragraph);
            poems.append(poem);
        }
    }
    return poems;
}

} // namespace tolvane::mkclassics
