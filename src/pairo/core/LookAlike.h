// What a student sees of a right item, as a key: two items with the same
// key cannot be told apart on the page that shows them.  Pure: Windows-1252
// text, no Qt.
#pragma once

#include <string>

namespace pairo {

// The key of a text shown as text only (ShownText's output: Windows-1252
// with character references).  Differences a reader cannot see leave it
// alone: the references against the characters they stand for, every run
// of characters that shows as a blank (no-break space, tab, the typographic
// spaces ...) against one blank, blanks at either end, characters that show
// nothing (soft hyphen, zero-width space, word joiner, byte-order mark), and
// a letter typed as a base letter and combining marks against the same
// letter typed whole (Unicode's canonical composition, NFC).  With
// ignoreCase the letters of Windows-1252 count in either case, as the mix
// list compares.  Linear in the length of the text.
std::u32string LookAlikeKey(const std::string& shown, bool ignoreCase);

}  // namespace pairo
