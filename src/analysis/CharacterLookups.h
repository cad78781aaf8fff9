#pragma once

#include "analysis/NameSound.h"
#include "analysis/NumberLookups.h"

#include <QString>

#include <functional>

namespace tolvane {

// Called with a wait notice once the input is accepted and the library is open, before the scans run, so
// that the pane can show it first. May be empty.
using WaitNotice = std::function<void(const QString &notice)>;

// The four character lookups of "其他功能": stroke counts and elements of typed characters, the characters
// of a stroke count grouped by element, homophones, and meanings. Each reads the name table anew.
class CharacterLookups final {
public:
    // 单字笔画数: up to 50 characters; spaces anywhere are ignored.
    static LookupAnswer characterStrokes(const QString &input, const Library &library,
                                         const WaitNotice &notice = {});
    // 笔画查字: a stroke count up to 30.
    static LookupAnswer charactersByStrokes(const QString &input, const Library &library,
                                            const WaitNotice &notice = {});
    // 同音字查询: one character; one group per reading, at most four.
    static LookupAnswer homophones(const QString &input, const Library &library, const WaitNotice &notice = {});
    // 字义查询: up to four characters taken as typed (spaces count). makerAddress ends the message shown when
    // none of them has a meaning. With the sound checks, a character's readings are shown as names use them: the
    // name reading first, readings no one uses today left out; without them (or for a character they do not
    // know), the library's readings as stored.
    static LookupAnswer characterMeanings(const QString &input, const Library &library,
                                          const QString &makerAddress, const WaitNotice &notice = {},
                                          const NameSoundChecker *sound = nullptr);

    static constexpr qsizetype kMaxStrokeCharacters = 50;
    static constexpr int kMaxStrokes = 30;
    static constexpr qsizetype kMaxReadings = 4;
    static constexpr qsizetype kMaxMeaningCharacters = 4;
};

} // namespace tolvane
