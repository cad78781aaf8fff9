#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace tolvane {

// The text of an INI settings file as QSettings reads and writes it (UTF-8; [section] headers; key=value
// lines; quotes, backslash escapes and ';' comments in values; %XX and %UXXXX in keys), for text values
// only. Files written by QSettings read back the same values, and QSettings reads what compose() writes.
class IniText final {
public:
    // "section/key" -> value; keys of the [General] section have no section part, as in QSettings.
    using Values = QMap<QString, QString>;

    // A value QSettings does not read as text (a list, any other variant) is empty text, as QSettings'
    // value().toString() gives it; "@ByteArray(...)" is its bytes.
    static Values parse(const QByteArray &text);
    static QByteArray compose(const Values &values);
};

} // namespace tolvane
