#pragma once

#include <QString>

namespace tolvane {

// The six tables of namedbs.mdb.
enum class DbTable { Name, Man81, Corp81, Sancai, WrGe, Text };

inline QString tableName(DbTable table)
{
    switch (table) {
    case DbTable::Name:
        return QStringLiteral("name");
    case DbTable::Man81:
        return QStringLiteral("81man");
    case DbTable::Corp81:
        return QStringLiteral("81corp");
    case DbTable::Sancai:
        return QStringLiteral("sancai");
    case DbTable::WrGe:
        return QStringLiteral("wrGe");
    case DbTable::Text:
        return QStringLiteral("text");
    }
    return {};
}

// The columns every reader of a table relies on; a table without them counts as missing.
inline QString tableColumns(DbTable table)
{
    switch (table) {
    case DbTable::Name:
        return QStringLiteral("namechr, strokes, wuxing, sex, xiong, pinyin, fantizi, meaning");
    case DbTable::Man81:
    case DbTable::Corp81:
        return QStringLiteral("ID, meaning, flag");
    case DbTable::Sancai:
        return QStringLiteral("trdgewuxing, meaning, flag");
    case DbTable::WrGe:
        return QStringLiteral("rwGeshu, meaning, flag");
    case DbTable::Text:
        return QStringLiteral("Name, Content");
    }
    return {};
}

} // namespace tolvane
