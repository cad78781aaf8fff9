#pragma once

#include "data/DbTable.h"
#include "text/UserMessage.h"

namespace tolvane {

// Why an operation could not reach its data, and the fixed message it shows for it.
struct DatabaseFailure {
    enum class Kind { File, Table };
    // Most operations name a table "in design state"; the reading texts and the library correction use the
    // older wording "already open in design state" in a plain box.
    enum class Wording { InDesign, OpenInDesign };

    Kind kind = Kind::File;
    DbTable table = DbTable::Name;
    Wording wording = Wording::InDesign;

    // A step that failed once the library was open (a damaged page, an I/O error, a lock held too long): the
    // library cannot be used, and the message says so as for a missing file.
    static DatabaseFailure unreadable() { return {}; }

    UserMessage message() const;
};

} // namespace tolvane
