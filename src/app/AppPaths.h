#pragma once

#include <QString>

namespace tolvane {

// Where the program keeps namedbs.mdb, name.rtf and Info.txt: the executable's folder when it is writable
// (a build tree or a portable copy), else the per-user data folder, into which the shipped library is copied
// on first start.
class AppPaths final {
public:
    explicit AppPaths(QString appDir);

    // Decides the folder for the running executable (needs a QCoreApplication).
    static AppPaths forExecutable();

    QString appDir() const { return m_appDir; }
    QString databasePath() const;
    QString resultRtfPath() const;
    QString infoPath() const;
    // The compound-surname list: beside the library when one lies there, else the one shipped with the program
    // (beside the executable, or in share/tolvane for an installed program).
    QString compoundSurnamesPath() const;

private:
    QString m_appDir;
};

} // namespace tolvane
