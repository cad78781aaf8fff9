#pragma once

#include "data/Library.h"
#include "data/Outcome.h"

#include <QString>
#include <QStringList>


namespace tolvane {

// The reading texts of the 造命篇 and Help menus: rows of table text, keyed by Name.
class ReadingTexts final {
public:
    // "xinmingge", "liaofansixun", "sanshiyinguojing", "softprotect".
    static QStringList keys();
    // The row's Content, or the failure message, or neither (no such row: the pane stays as it was).
    static Outcome<QString> lookup(const Library &library, const QString &key);
};

} // namespace tolvane
