#pragma once

#include <QString>

#include <cstdio>
#include <optional>

namespace tolvane {

class SettingsStore;
class Prompter;

// The window's start-up password guards the command line too: when one is set (StartPass), every command asks
// for it before it runs and refuses to run without it, with the window's message. The password comes from the
// first line of a file (--password-file), else from the terminal with the typed characters hidden, else from
// the first line of standard input.
class StartupPasswordGate final {
public:
    struct Source {
        QString passwordFile; // empty: none given
        bool stdinIsInput = false; // standard input is the command's own input (analyze --batch - or /dev/stdin)
    };

    // True when no password is set or the one given opens the program; otherwise its message was shown.
    static bool unlock(const SettingsStore &store, const Source &source, Prompter &prompter, std::FILE *in = stdin,
        std::FILE *terminal = stderr);

private:
    // One line from in, without its line break; nothing at the end of the input.
    static std::optional<QString> readLine(std::FILE *in);
    // A line typed at the terminal with echo off, the prompt and the line break after it on terminal.
    static std::optional<QString> readHidden(std::FILE *in, std::FILE *terminal);
};

} // namespace tolvane
