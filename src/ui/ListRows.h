#pragma once

class QComboBox;

namespace tolvane {

// The rows of a drop-down list tall enough for Chinese characters. The Song face the program uses draws its
// characters a pixel above its own ascent, and the list's rows are exactly as tall as the font, so the row above
// cut off the tops of the characters.
class ListRows final {
public:
    // Gives every row of the combo box's list room above and below its text; the delegate lives with the list.
    static void giveRoom(QComboBox *combo);
};

} // namespace tolvane
