#pragma once

#include "text/UserMessage.h"

#include <QString>
#include <QStringList>

namespace tolvane {

// The program's own help: HTML pages installed in a help folder beside the executable (a build tree or
// a portable copy) or in the shared data folder of an installed copy.
class HelpPages final {
public:
    // The folder holding index.html, or empty text when none is found (needs a QCoreApplication).
    static QString folder();
    static QString indexFile();
    static UserMessage missing();
    // The page (and place on it) F1 opens for a window, by the window's object name: the naming questions
    // open the wizard's page, the password windows the settings page, and so on. The main window's page
    // follows the function chosen in its selector (`function`, the selector's text). Relative to folder().
    static QString pageFor(const QString &windowName, const QString &function = {});
    // Every page pageFor can give, for checking that the pages have them.
    static QStringList contextPages();
    // Looks in this folder first (a program started from elsewhere, such as a test, names its pages).
    static void setPreferredFolder(const QString &dir);
};

} // namespace tolvane
