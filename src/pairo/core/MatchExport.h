// The matching exercise's web pages: the select-list export (the exercise
// page alone, or with a reading a frameset, the exercise page and the
// reading page) and the drag-and-drop export (one page, or with a reading a
// frameset, the exercise page and the reading page).  The builders take the
// pair list and plain data gathered by the main window and return the plan
// of the export (ExportPlan, shared/WebExport.h), which the window runs with
// RunExportPlan.  They change the pair list as the export does: trailing
// empty pairs are removed, and the select-list export turns each line break
// of a mixed right item into a blank.  Pure: Windows-1252 text, no Qt.
//
// What the templates receive
// ==========================
// Every value below is made safe for the place it is written for; no text,
// file name, address or colour can end its string, attribute or script
// element, and no placeholder or section word typed into a text reaches the
// page with its "[" (HTML places get "&#91;", script strings "\x5B",
// addresses "%5B"), so no later replacement fills it.
// Kinds: "script" = the inside of a single-quoted script string; "html" =
// HTML text (the teacher's markup kept, only what would hide the rest of the
// page written as text: MarkupText, shared/WebExport.h); "shown" = HTML of
// a text shown as text only: tags left out, a lone "<" or ">" kept as
// "&lt;" "&gt;", line breaks as blanks, and the text as typed where nothing
// else would be left; "attr" = the inside of a
// double-quoted attribute; "address" = an address, safe both in a
// double-quoted attribute and in a single-quoted script string.
//
// Frameset "pairo.ht_" (both exports, only with a reading):
//   sections, in order: select-list export: V4BrowserVersion removed,
//     V3BrowserVersion kept, NoReading removed, Reading kept, NoTimer kept
//     without the timer, Timer kept with it; drag-and-drop export:
//     V3BrowserVersion removed, V4BrowserVersion kept, then NoReading,
//     Reading, NoTimer and Timer as in the select-list export.
//   [strPlainTitle] (html, tags removed), [CodeFileName] (address, the
//     exercise page's bare name), [ReadingFileName] (address: the reading
//     page's bare name, or the reading's web address; in the drag-and-drop
//     frameset "javascript:document.write('');" for a timed web address).
//
// Select-list page "pairoc.ht_":
//   sections, in order: inclTimer (kept when the reading's timer is ticked,
//     whether or not a reading is attached), inclInstructions (kept when the instructions are not
//     empty); after the placeholders 1-20: inclReading (kept with a
//     reading; the navigation buttons carry
//     "[inclReading]parent.[/inclReading]" too).
//   row markers: the text between [BeginItemRow] and [EndItemRow] is one
//     row, repeated for every pair with a left text at the place of
//     [ItemList]; inside it the text between [BeginIndicatorBox] and
//     [EndIndicatorBox] is the indicator box, present only in rows with a
//     select list.  In a row: [FixedItem] (html, the left item),
//     [MixedItems] (the select list, or for a fixed pair the right item as
//     html), [IndicatorBoxName] (inside the indicator box: 2k+1 for the
//     k-th select list).
//   The select list of the k-th row with one (k from 0) is
//     <SELECT NAME="2k" CLASS="choice" aria-label="left item, shown">, CR LF, then
//     "<OPTION>" + option + CR LF for every option (the default right item
//     first, then the jumbled right items; option texts shown), then
//     </SELECT>; its class is how the page's script tells it from a select
//     list a teacher's text may hold.
//   placeholders, in order: 1 [strShowReadingAgain] script, 2
//     [strRemainingTime] script, 3 [strTimesUp] script, 4 [TimerValue]
//     minutes in decimal, 5 [ReadingFileName] address (the reading page's
//     bare name, also without a reading, or the web address), 6
//     [strStartReading] script, 7 [strClickToShow] script, 8
//     [strExerciseTitle] html, 9 [strPlainTitle] html without tags, 10
//     [CorrectAnswersArray] script statements, 11 [RightWrongChars] script
//     statements, 12 [strGraphicURL] address, 13 [strExerciseSubtitle] html,
//     14 [strInstructions] html, 15 [ItemList], 16 [strYourScoreIs] script,
//     17 [CheckButton] (<INPUT TYPE="button" VALUE="caption"
//     onClick="CheckAnswer()">, always), 18 [NextExButton], 19
//     [ContentsButton], 20 [BackButton] (empty unless included with a
//     caption); after inclReading: [strContentsURL], [strNextExURL]
//     address; [strPageBGColor], [strTitleColor], [strExBGColor],
//     [strTextColor], [strNavBarColor] attr.
//   arrays: [CorrectAnswersArray] holds one line per select list k, in row
//     order: "CorrectAnswers[k]=j;" where j is the index of the right option
//     in that list (option 0 is the default right item), or 0 when the row
//     has nothing to match (its right text is empty): such a row is not
//     scored.  [RightWrongChars] holds four lines:
//     macrightchar='..'; macwrongchar='..'; winrightchar='..';
//     winwrongchar='..'; (the indicators %-escaped by the Macintosh and the
//     Windows character sets).
//
// Drag-and-drop page "dpairo.ht_":
//   sections, in order: inclSlide (kept when a pair with a right text is
//     fixed), inclBack, inclContents, inclNextEx (kept when their include
//     box is ticked), inclTimer (timer and reading), inclParent (reading).
//   placeholders, in order: 1 [strShowReadingAgain] script, 2
//     [strRemainingTime] script, 3 [strTimesUp] script, 4 [TimerValue]
//     decimal, 5 [ReadingFileName] script (address: the reading page's bare
//     name, the web address, or empty without a reading), 6
//     [strStartReading] script, 7 [strClickToShow] script, 8
//     [strCheckCaption] script, 9 [strExerciseTitle] script of html (line
//     breaks as <BR>), 10 [strPlainTitle] html without tags, 11
//     [strExerciseSubtitle] script of html (<BR>), 12 [strInstructions]
//     script of html (<BR>), 13
//     [strGuessCorrect], 14 [strGuessIncorrect], 15 [strYourScoreIs], 16
//     [strBackCaption], 17 [strContentsCaption], 18 [strNextExCaption], 19
//     [strContentsURL], 20 [strNextExURL], 21 [strGraphicURL], 22-26
//     [strPageBGColor], [strTitleColor], [strExBGColor], [strTextColor],
//     [strNavBarColor], 27 [strPopupBGColor], 28 [strOKCaption] (13-28 all
//     script), 29 [FixedArray], 30 [DragArray] (script statements).
//   arrays, one block per pair i (index i-1, so pairs without a right text
//     leave holes):
//     FixedStuff[i-1] = new Array()      (pairs with a left text, trimmed,
//     FixedStuff[i-1][0]='left html';     and a right text)
//     FixedStuff[i-1][1] = m;
//     FixedStuff[i-1][2]='left shown';   (the name of its place)
//     DragStuff[i-1] = new Array()       (pairs with a right text)
//     DragStuff[i-1][0]='right shown';
//     DragStuff[i-1][1] = m;
//     DragStuff[i-1][2] = 1;             (1 fixed, 0 jumbled)
//   m is the match number: the number of the first pair whose right card
//   shows the same as this pair's (LookAlikeKey of the shown texts, case
//   counting: blanks, references, combining forms and markup do not count).  A
//   long text is assigned in pieces: the first line with "=", the next ones
//   with "+=".  Line breaks in the left items arrive as <BR>.
//
// Every page ends with the author tag and characters above 127 as entities;
// a page of an exercise without a title is titled "Matching exercise" and
// shows no empty heading.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pairo/core/MixStringList.h"
#include "shared/core/ConfigValues.h"
#include "shared/core/WebExport.h"

class TQList;

namespace pairo {

struct MatchExportInput {
  std::string fileName;      // the root page as chosen (full path)
  std::string title;         // mmoTitle as typed
  std::string defaultRight;  // mmoDefault
  ConfigValues config;       // the matching configuration window's boxes
  ExportReading reading;  // output for browser version 3 (select lists) or 4 (drag and drop)
  TemplateSource frameset{"pairo.ht_", std::nullopt, {}};
  TemplateSource code{"pairoc.ht_", std::nullopt, {}};
  TemplateSource dhtml{"dpairo.ht_", std::nullopt, {}};
};

// An export either refused (the message is shown, nothing is written and
// there is no report) or a plan to run (a plan whose template was empty
// after every fallback is abandoned: RunExportPlan shows its messages and
// writes nothing).
struct MatchExport {
  std::optional<ExportMessage> refusal;
  ExportPlan plan;
};

inline constexpr const char* kNotEnoughToMix =
    "You don't have enough mixable answers to create an exercise.";

// The select-list export.  Refused, before any page is made, when fewer than
// two answers can be mixed.  random jumbles the options.  The exercise page
// is a produced page (ExportStep::produce): its rows are made as they are
// written.  A page above kLargePageBytes makes the plan ask first.
MatchExport BuildSelectListExport(TQList& pairs, const MatchExportInput& in,
                                  IMixRandom& random = MixRandom());
inline constexpr size_t kLargePageBytes = 50 * 1000 * 1000;
// The question before a select-list page of about bytes (warning, Yes/No,
// help 6000; only Yes goes on).
ExportMessage LargePageQuestion(size_t bytes);

// ------------------------------------------------- drag-and-drop export ----

// The count of pairs before the first one whose left and right texts are
// both empty; above kLongExerciseItems the export asks first.
int CountItemsForWarning(const TQList& pairs);
inline constexpr int kLongExerciseItems = 12;
// The question for count items (warning, Yes/No/Cancel, help 6000; only Yes
// goes on); none when count is at most kLongExerciseItems.
std::optional<ExportMessage> LongExerciseQuestion(int count);

// The drag-and-drop export: the page alone, or with a reading the reading
// page, the exercise page and the frameset.  Names with a reading come from
// the chosen file's folder and base name.
MatchExport BuildDragDropExport(TQList& pairs, const MatchExportInput& in);

// The drag-and-drop page.  readingFileName is the reading page's full path,
// the reading's web address, or empty without a reading.  A template
// warning is added to plan's steps.
std::string MakeDragDropPage(TQList& pairs, const MatchExportInput& in,
                             const std::string& readingFileName, ExportPlan& plan);

// ------------------------------------------------------- working parts ----

// The options of the select-list page and the right option of each row.
struct SelectMix {
  // Option texts in page order: the default right item, then the jumbled
  // right items (one for right items of pairs with a left text that show
  // the same as an option: LookAlikeKey of the shown text, case folded, the
  // first form kept; distractors once for every time they occur, unless
  // one shows as a right item of a row).
  std::vector<std::string> options;
  // Per pair 1..N (index 0 for pair 1): the option index of its right item,
  // 0 when the pair is not scored (no left text, empty right text, fixed).
  std::vector<int> answerOption;
  int mixable = 0;  // entries mixed (without the default)
};

// Builds the mix from the pairs (trailing empty pairs already removed);
// writes the blanks that replace line breaks of mixed right items back into
// the list.  Jumbles only when at least two entries can be mixed.
SelectMix MakeSelectMix(TQList& pairs, int count, const std::string& defaultRight,
                        IMixRandom& random);

// The match numbers of pairs 1..count (index 0 for pair 1): pairs whose
// cards show the same share the number of the first; 0 for a pair without
// a right text.
std::vector<int> MatchNumbers(const TQList& pairs, int count);

}  // namespace pairo
