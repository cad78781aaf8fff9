#pragma once

#include "CharacterForms.h"
#include "TraditionalConverter.h"
#include "data/Classics.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane::mkclassics {

// A poem (or a chapter of 论语) as the generator takes it from the package, in simplified characters.
struct SourcePoem {
    QString title;
    QString author;
    QStringList paragraphs;
};

// The npm package chinese-poetry as installed by scripts/setup.sh: package.json and the JSON files under dist/.
class PoetryPackage final {
public:
    explicit PoetryPackage(QString dir);

    // The version in package.json.
    std::optional<QString> version(QString *error = nullptr) const;
    // The files a collection is read from, in the package's order (numbered files by their number).
    std::optional<QStringList> files(Classic classic, QString *error = nullptr) const;
    // The poems of a collection in the package's order. 唐诗, 宋词, 宋诗 and the three of the Four Books the
    // package holds in traditional characters (孟子, 大学, 中庸) are converted to simplified characters (title,
    // author and text); 诗经, 论语 and 楚辞 are simplified in the package already.
    // Titles and text then have their variant characters in standard form (forms.standardText); poets' names are
    // taken by forms.authorName, never through the conversion of running text.
    std::optional<QList<SourcePoem>> poems(Classic classic, const TraditionalConverter &converter,
        const CharacterForms &forms, QString *error = nullptr) const;
    static bool isTraditional(Classic classic);

private:
    QString m_dir;
};

} // namespace tolvane::mkclassics
