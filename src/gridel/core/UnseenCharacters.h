// Characters that show nothing by themselves, so that a crossword cell
// holding one would look empty: spaces of every kind, line and paragraph
// separators, control and format characters (zero-width space, byte-order
// mark, direction marks), surrogates and combining marks (a lone accent).
// Pure: no Qt.
#pragma once

namespace gridel {

bool IsUnseenCharacter(char32_t u);

}  // namespace gridel
