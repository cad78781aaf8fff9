#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace tolvane::mkdb {

// One row of table name, in the stored order the generator fixes.
struct CharacterRow {
    QString namechr;
    int strokes = 0;
    QString wuxing;
    QString sex = QStringLiteral("0");
    QString xiong = QStringLiteral("0");
    QString pinyin;
    QString fantizi;
    QString meaning;
    // Not a column: the readings of today's dictionaries, from which the name readings are made.
    QStringList modernReadings;
};

// A row of 81man or 81corp.
struct NumberTextRow {
    int id = 0;
    QString meaning;
    QString flag;
};

// A row of sancai (key trdgewuxing) or wrGe (key rwGeshu).
struct KeyedTextRow {
    QString key;
    QString meaning;
    QString flag;
};

// A row of table text.
struct TextRow {
    QString name;
    QString content;
};

struct LibraryContents {
    QList<CharacterRow> name;
    QList<NumberTextRow> man81;
    QList<NumberTextRow> corp81;
    QList<KeyedTextRow> sancai;
    QList<KeyedTextRow> wrGe;
    QList<TextRow> text;
    // Tables left out of the file altogether (for building damaged libraries in tests).
    QSet<QString> omitTables;
};

} // namespace tolvane::mkdb
