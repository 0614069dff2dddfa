// The crossword's web pages: the frames export (root frameset, welcome page,
// code page) and the single-page export (one page).  The builders take the
// letter grid, the numbered words with their clues and plain data gathered by
// the main window, and return the plan of the export (ExportPlan,
// shared/WebExport.h): the template warnings and page writes in order, and
// the crossword's own final report.  The window runs the plan with
// RunExportPlan.  Pure: Windows-1252 text, no Qt.
//
// What the templates receive.  Every placeholder is filled in all its
// occurrences, in the order listed; every section [word]...[/word] is kept
// (markers removed) or dropped with its content.  Where a value goes is part
// of the contract: "script" values are made for a single-quoted script string
// ('[strCorrect]'), "attribute" values for a double-quoted attribute, "HTML"
// values for element content (the teacher's own markup kept, line breaks as
// <BR>).  No value carries a bracket a later replacement could fill.
//
// Root page "gridel.ht_": [strPuzzleTitle] (HTML), [strPlainTitle] (text for
//   <title>, tags stripped), [WelcomeFileName], [CodeFileName] (attribute:
//   bare file names as relative addresses).
//
// Welcome page "gridelw.ht_": sections inclWelcome (welcome text not empty),
//   inclInstructions (instructions not empty); then [strPlainTitle],
//   [strGraphicURL] (attribute), [strWelcome], [strInstructions] (HTML),
//   [NextExButton], [ContentsButton], [BackButton] (HTML: an INPUT button or
//   nothing), [strContentsURL], [strNextExURL] (attribute), [strPageBGColor],
//   [strTitleColor], [strExBGColor], [strTextColor], [strNavBarColor]
//   (attribute).
//
// Code page "gridelc.ht_": section inclHelpButton (help box checked).  Loop
//   blocks cut out of the page: [StartCluesAcrossLoop]...[EndCluesAcrossLoop]
//   (one copy per across word, [ClueNumber] = its number, [Clue] = its clue
//   as HTML), likewise [StartCluesDownLoop]...[EndCluesDownLoop]; and
//   [StartCellLoop]...[EndCellLoop] (one copy per letter cell of the used
//   extent: [CellNumber] = the number anchor
//   <A HREF="javascript:DoNothing()" onClick="ShowClue(n)"
//   onMouseOver="window.status='n'; return true">n</A> for a cell that starts
//   a word, else nothing; [LetterNumber] = the letter's index k in
//   WinLetters).  An empty cell is written as two empty cells
//   "<TD></TD>\r\n<TD></TD>\r\n", so a cell block should be two TD wide; each
//   table row is "<TR ALIGN=RIGHT>\r\n" ... "</TR>\r\n".  Then:
//   [WinLettersArray] (script lines "WinLetters[k] = 'X';" for every letter
//   in reading order; a letter above 127 %-escaped), [CluesAcrossLoop],
//   [CluesDownLoop] (the loop copies), [AClues], [DClues] (script lines
//   "AClues[n]='clue';", "DClues[n]=...", the clue as HTML in a script
//   string), [Grid] (the table rows), [strPuzzleTitle] (HTML),
//   [strPlainTitle], [strCorrect], [strIncorrect] (script), [strCluesAcross],
//   [strCluesDown] (HTML), [strGiveHint] (script), [strGraphicURL]
//   (attribute), [strPuzzleSubtitle] (HTML), [HelpButton] (HTML),
//   [WelcomeFileName] (attribute), [HelpCaption] (attribute), [CheckButton]
//   (HTML: <INPUT TYPE="button" VALUE="..." onClick="CheckAnswer()">, always),
//   [HintButton] (HTML: ... onClick="Cheat()">, or nothing), [TopNextExButton]
//   (a script string's content: <form method=post><INPUT ...></form> with
//   escaped quotes, or nothing), [NextExButton], [ContentsButton],
//   [BackButton] (HTML), [strContentsURL], [strNextExURL] and the five colours
//   (attribute).
//
// Single page "dgridel.ht_": blocks [StartClueCode]...[EndClueCode] (holding
//   [StartCluesAcrossLoop]...[EndCluesAcrossLoop] and
//   [StartCluesDownLoop]...[EndCluesDownLoop] as above, and [strCluesAcross],
//   [strCluesDown] as HTML) and [StartGridCode]...[EndGridCode] (holding
//   [StartCellLoop]...[EndCellLoop] as above, [strExBGColor]); each block
//   loses its line breaks and becomes one script assignment, ClueCode='...';
//   and GridCode='...'; (several lines ClueCode+='...'; when long), put where
//   the block was.  Table rows here are "<TR>" ... "</TR>".  Sections, in
//   order: inclKeyNavigation, inclHint, inclBack, inclContents, inclNextEx
//   (each kept when its box is checked).  Then: [Grid] (the GridCode
//   assignment), [GridMap] (script lines "GridMap[i]= [k,-1,...];", one per
//   row of the used extent counted from 0, per column the letter's index in
//   WinLetters or -1), [WinLettersArray], [CluesAcrossLoop], [CluesDownLoop],
//   [AClues], [DClues] as on the code page, [strExerciseTitle] (script, line
//   breaks as <BR>), [strPlainTitle], [strCorrect], [strIncorrect],
//   [strCheckCaption], [strHintCaption], [strCluesAcross], [strCluesDown],
//   [strNextCorrect], [strOKCaption], [strGraphicURL], [strExerciseSubtitle],
//   [strInstructions] (the last two with <BR>), [strBackCaption],
//   [strContentsCaption], [strNextExCaption], [strContentsURL],
//   [strNextExURL], [strPageBGColor], [strTitleColor], [strExBGColor],
//   [strTextColor], [strNavBarColor], [strPopupBGColor] (all script).  A
//   template without the clue markers gets no ClueCode assignment, one
//   without the grid markers no GridCode assignment.
//
// Every page gets the author tag and its characters above 127 as entities.
#pragma once

#include <string>
#include <vector>

#include "gridel/core/LetterGrid.h"
#include "gridel/core/Words.h"
#include "platform/core/Platform.h"
#include "shared/core/ConfigValues.h"
#include "shared/core/WebExport.h"

namespace gridel {

inline constexpr int kCluesHelpContext = 18500;
extern const char* const kNoLettersMessage;  // "There are no letters in the grid."
extern const char* const kMissingCluesMessage;  // "You haven't entered all the clues yet."

struct CrosswordExportInput {
  std::string fileName;  // the page (root page) as chosen, full path
  std::string title;     // the crossword's title as typed
  ConfigValues config;   // the configuration window's boxes
  TemplateSource frameset{"gridel.ht_", std::nullopt, {}};
  TemplateSource welcome{"gridelw.ht_", std::nullopt, {}};
  TemplateSource code{"gridelc.ht_", std::nullopt, {}};
  TemplateSource dhtml{"dgridel.ht_", std::nullopt, {}};
};

// The checks both exports make before anything is asked: an empty grid is
// refused; otherwise the clues are generated again from the grid (the
// crossword's clue list becomes the words' pairs, across first) and a word
// without a clue is refused.  The warning to show ("" when the export may go
// on); words receives the numbered words with their clues.
std::string CheckBeforeExport(Crossword& crossword, CrosswordWords& words);

// The frames export: root page, welcome page, code page.
ExportPlan BuildFramesExport(const LetterGrid& grid, const CrosswordWords& words,
                             const CrosswordExportInput& in);

// The single-page export: one page under the chosen name.
ExportPlan BuildSinglePageExport(const LetterGrid& grid, const CrosswordWords& words,
                                 const CrosswordExportInput& in);

// The page of the single-page export; a template warning goes into plan.
std::string MakeDHTMLCodePage(const LetterGrid& grid, const CrosswordWords& words,
                              const CrosswordExportInput& in, ExportPlan& plan);

// The final report of an export for the pages written (bare names for the
// frames export, the full path for the single page), in plan order: it
// offers to view the exercise only when the root page was written, and is
// empty when nothing was written.  The builders give it to their plans, so
// RunExportPlan ends with it.
ExportReport FramesReport(const std::vector<std::string>& writtenNames, bool rootWritten,
                          const std::string& rootName);
ExportReport SinglePageReport(const std::string& fileName);

}  // namespace gridel
