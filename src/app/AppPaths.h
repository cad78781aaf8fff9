#pragma once

#include "data/Library.h"

#include <QString>

namespace tolvane {

// Where the program keeps namedbs.mdb, name.rtf and Info.txt. An installed program (its library shipped in the
// shared data folder, share/tolvane beside bin) keeps them in the per-user data folder, into which the shipped
// library is copied on first start. A build tree or a portable copy keeps them in the executable's folder when
// it is writable, else in the per-user folder as well. When no per-user copy can be made (no writable per-user
// folder, or a full disk), the shipped library is read where it is; the writes (name.rtf, Info.txt, the stroke
// correction) then fail, each with its own message, and everything else works.
// classics.db, which the program only reads, is read where it was shipped and never copied.
class AppPaths final {
public:
    // Everything in appDir, classics.db included.
    explicit AppPaths(QString appDir);
    // name.rtf and Info.txt in appDir, the library elsewhere.
    AppPaths(QString appDir, QString databasePath);

    // Decides the folders for the running executable (needs a QCoreApplication).
    static AppPaths forExecutable();
    // The shared data folder of an installed program: the library as shipped and the help pages.
    static QString sharedDataDir();

    QString appDir() const { return m_appDir; }
    // The character library, namedbs.mdb.
    Library library() const { return Library(m_databasePath); }
    QString resultRtfPath() const;
    QString infoPath() const;
    // The verses of the names from the classics.
    ClassicsLibrary classics() const { return ClassicsLibrary(m_classicsPath); }
    // classics.db as shipped: beside the executable (a build tree or a portable copy), else in the shared data
    // folder of an installed program (share/tolvane beside bin). The first of them that exists; the first when
    // neither does, so that its absence is reported there.
    static QString shippedClassicsPath(const QString &executableDir);
    // The compound-surname list: beside the library when one lies there, else the one shipped with the program
    // (beside the executable, or in the shared data folder of an installed program).
    QString compoundSurnamesPath() const;
    // The words and given names of the suggested names, shipped beside classics.db.
    QString nameWordsPath() const;
    // The names kept (收藏): in the per-user data folder, for a portable copy too; in appDir for a folder given.
    QString favouritesPath() const { return m_favouritesPath; }
    // The readings and homophone traps of names (name-sound.tsv), looked for as the compound-surname list is.
    QString nameSoundPath() const;

private:
    static AppPaths forExecutableFolders();
    // A file of the program beside the library, else beside the executable or in the shared data folder.
    QString shippedFilePath(const QString &file) const;

    QString m_appDir;
    QString m_databasePath;
    QString m_classicsPath;
    QString m_favouritesPath;
};

} // namespace tolvane
