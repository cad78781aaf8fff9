#pragma once

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
    // The poems of a collection in the package's order. 唐诗 and 宋词 are converted to simplified characters
    // (title, author and text); the other collections are simplified in the package already.
    std::optional<QList<SourcePoem>> poems(
        Classic classic, const TraditionalConverter &converter, QString *error = nullptr) const;
    static bool isTraditional(Classic classic);

private:
    QString m_dir;
};

} // namespace tolvane::mkclassics
