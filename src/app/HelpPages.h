#pragma once

#include "text/UserMessage.h"

#include <QString>

namespace tolvane {

// The program's own help: HTML pages installed in a help folder beside the executable (a build tree or
// a portable copy) or in the shared data folder of an installed copy.
class HelpPages final {
public:
    // The folder holding index.html, or empty text when none is found (needs a QCoreApplication).
    static QString folder();
    static QString indexFile();
    static UserMessage missing();
    // Looks in this folder first (a program started from elsewhere, such as a test, names its pages).
    static void setPreferredFolder(const QString &dir);
};

} // namespace tolvane
