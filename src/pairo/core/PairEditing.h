// The parts of pair editing that need no window: the plain-text copy for
// printing, the item commands' list changes (shuffle, move, clone) with the
// sound handling of numbers the list does not hold.  The main window calls
// these after stashing its rows and redisplays afterwards.  Pure: no Qt.
#pragma once

#include <optional>
#include <string>

#include "pairo/core/MixStringList.h"

class TQList;

namespace pairo {

// The reading as the print copy shows it (when its include box is ticked).
struct PrintReading {
  std::string title;
  std::string text;
};

// The print copy: the title, the left items with all right items jumbled
// (fixed ones too) after three tabs, then the key with every pair in list
// order; the reading in front when given.  Removes the trailing empty pairs
// first; none (and nothing else changes) when no pair is left.
std::optional<std::string> PrintCopyText(TQList& pairs, const std::string& title,
                                         const std::optional<PrintReading>& reading,
                                         IMixRandom& random = MixRandom());

inline constexpr const char* kPrintCopyMessage =
    "A copy of the exercise has been placed on the clipboard for pasting into a word-processor.";

// Shuffle Items: removes the empty pairs, then moves each pair in turn (from
// the first position to the last) to a position drawn from the whole list.
// Returns the number of pairs left.
int ShuffleItems(TQList& pairs, IMixRandom& random = MixRandom());

// Move Item: takes pair from out and puts it back at number to (both from
// 1).  A number the list does not hold yet grows the list with empty pairs
// first.  False, with nothing changed, when the numbers are equal or either
// is below 1.
bool MovePair(TQList& pairs, int from, int to);

// Clone: appends a copy of pair number (left, right and fixed flag) after
// removing the empty pairs, and returns the copy's number; 0, with nothing
// changed, for a number the list does not hold.
int ClonePair(TQList& pairs, int number);

}  // namespace pairo
