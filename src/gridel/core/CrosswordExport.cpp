#include "gridel/core/CrosswordExport.h"

#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace gridel {

const char* const kNoLettersMessage = "There are no letters in the grid.";
const char* const kMissingCluesMessage = "You haven't entered all the clues yet.";

namespace {

const char* const kProgramName = "Gridel";
const char* const kUnableToSave = "Unable to save file: ";
const std::string kCrLf = "\r\n";

void Fill(std::string& page, const char* placeholder, const std::string& value) {
  FillPlaceholder(page, placeholder, value);
}

void Section(std::string& page, const char* tag, bool keep) { KeepSection(page, tag, keep); }

// A bracket in teacher text written as a character reference, so that no
// later replacement of the page takes it for a placeholder.
std::string NoBrackets(const std::string& s) { return ReplaceAll("[", "&#91;", s); }

// The title of a page whose crossword has none.
const char* const kExerciseWord = "Crossword";

// A double-quoted attribute value.
std::string Attribute(const std::string& s) {
  return NoBrackets(ReplaceAll("<", "&lt;", AttributeValue(s)));
}
// A single-quoted script string.
std::string Script(const std::string& s) { return ScriptString(s); }

// One script line per letter of the grid, in reading order.
std::string LetterArray(const LetterGrid& grid) {
  std::string out;
  int k = 0;
  for (int r = 0; r < grid.Size(); ++r)
    for (int c = 0; c < grid.Size(); ++c) {
      if (!grid.IsLetter(c, r)) continue;
      out += "WinLetters[" + std::to_string(k++) + "] = '" +
             Script(HighCharsToEscapes(grid.Cell(c, r))) + "';" + kCrLf;
    }
  return out;
}

// The copies of a clue block for one direction, and its script assignments.
struct ClueLists {
  std::string items;
  std::string assignments;
};
ClueLists MakeClueLists(const std::vector<Word>& words, const std::string& block,
                        const char* arrayName) {
  ClueLists out;
  for (const Word& w : words) {
    const std::string number = std::to_string(w.number);
    // As the list shows it: the clue line takes it from there, or from the
    // script when the list has no item for it.
    const std::string clue = MarkupText(w.clue, TextPlace::ListItemSpan);
    if (!block.empty()) {
      std::string copy = block;
      Fill(copy, "[ClueNumber]", number);
      Fill(copy, "[Clue]", clue);
      out.items += copy;
    }
    out.assignments +=
        SafeJSStringAssignment(std::string(arrayName) + "[" + number + "]", clue) + kCrLf;
  }
  return out;
}

// Both clue lists, their blocks cut out of the page (each leaving its loop
// placeholder).
struct Clues {
  ClueLists across;
  ClueLists down;
};
Clues CutClueLists(std::string& page, const CrosswordWords& words) {
  const std::string acrossBlock = CutMarkedBlock(page, "[StartCluesAcrossLoop]",
                                                 "[EndCluesAcrossLoop]", "[CluesAcrossLoop]", false);
  const std::string downBlock = CutMarkedBlock(page, "[StartCluesDownLoop]", "[EndCluesDownLoop]",
                                               "[CluesDownLoop]", false);
  return {MakeClueLists(words.across, acrossBlock, "AClues"),
          MakeClueLists(words.down, downBlock, "DClues")};
}

// The letter array, the clue lists and the clue arrays into their
// placeholders.
void FillLettersAndClues(std::string& page, const std::string& letters, const Clues& clues) {
  Fill(page, "[WinLettersArray]", letters);
  Fill(page, "[CluesAcrossLoop]", clues.across.items);
  Fill(page, "[CluesDownLoop]", clues.down.items);
  Fill(page, "[AClues]", clues.across.assignments);
  Fill(page, "[DClues]", clues.down.assignments);
}

std::string NumberAnchor(int n) {
  const std::string s = std::to_string(n);
  return "<A HREF=\"javascript:DoNothing()\" onClick=\"ShowClue(" + s +
         ")\" onMouseOver=\"window.status='" + s + "'; return true\">" + s + "</A>";
}

// The table rows of the used extent from the cell block, and (for the single
// page) the grid map: per row, the letters' indices or -1 for empty cells.
struct GridRows {
  std::string rows;
  std::string map;
};
GridRows MakeGridRows(const LetterGrid& grid, const std::string& cellBlock, bool singlePage) {
  GridRows out;
  const Extent e = grid.FindExtent();
  if (e.Empty()) return out;
  int n = 1;
  int k = 0;
  for (int r = e.topRow; r <= e.bottomRow; ++r) {
    out.rows += singlePage ? "<TR>" : "<TR ALIGN=RIGHT>" + kCrLf;
    // An array literal: Array(n) with one number would make n empty slots.
    std::string line = "GridMap[" + std::to_string(r - e.topRow) + "]= [";
    for (int c = e.leftCol; c <= e.rightCol; ++c) {
      if (c > e.leftCol) line += ",";
      if (grid.IsLetter(c, r)) {
        std::string copy = cellBlock;
        Fill(copy, "[CellNumber]", StartsWord(grid, c, r) ? NumberAnchor(n++) : std::string());
        Fill(copy, "[LetterNumber]", std::to_string(k));
        out.rows += copy;
        line += std::to_string(k);
        ++k;
      } else {
        out.rows += "<TD></TD>" + kCrLf + "<TD></TD>" + kCrLf;
        line += "-1";
      }
    }
    out.rows += "</TR>" + kCrLf;
    out.map += line + "];" + kCrLf;
  }
  return out;
}

NavButtons CrosswordButtons(const ConfigValues& config) {
  // Angle brackets in the captions and addresses written so that no tag can
  // form inside the buttons' attributes.
  ConfigValues c = config;
  for (const char* caption : {"editNextEx", "editContents", "editBack"})
    c.text[caption] = ReplaceAll("<", "&lt;", c.Text(caption));
  for (const char* address : {"editNextExURL", "editContentsURL"})
    c.text[address] = ReplaceAll("<", "%3C", c.Text(address));
  NavButtons b = BuildNavButtons(c, NavStyle::Crossword);
  b.nextEx = NoBrackets(b.nextEx);
  b.contents = NoBrackets(b.contents);
  b.back = NoBrackets(b.back);
  return b;
}

}  // namespace

std::string CheckBeforeExport(Crossword& crossword, CrosswordWords& words) {
  if (crossword.grid.NoLetters()) return kNoLettersMessage;
  words = GenerateClues(crossword.grid, crossword.clues);
  crossword.clues = SaveWordsAndClues(words);
  if (!AllCluesDone(words)) return kMissingCluesMessage;
  return {};
}

ExportPlan BuildFramesExport(const LetterGrid& grid, const CrosswordWords& words,
                             const CrosswordExportInput& in) {
  const ConfigValues& c = in.config;
  const ExportNames names = MakeExportNames(in.fileName);
  ExportPlan plan = MakeExportPlan(kProgramName, names, true, tavrel::mbYesNoCancel);
  plan.report = [rootName = names.name](const ExportOutcome& written) {
    return FramesReport(written.names, written.rootWritten, rootName);
  };
  const std::string welcomeAddress = FileNameAsAddress(names.welcome);

  // Root page.
  {
    std::string page = plan.UseTemplate(in.frameset);
    if (plan.abandoned) return plan;
    // In <noframes>, read as plain text in a frameset: the title as shown.
    Fill(page, "[strPuzzleTitle]", ShownText(in.title, false));
    Fill(page, "[strPlainTitle]", ShownText(in.title, false));
    Fill(page, "[WelcomeFileName]", welcomeAddress);
    Fill(page, "[CodeFileName]", FileNameAsAddress(names.code));
    plan.steps.push_back(ExportStep::Write(names.fileName,
                                           FinishPage(page, in.title, kExerciseWord), names.name,
                                           ListEntry::AppendLine, kUnableToSave + names.name));
  }

  const NavButtons buttons = CrosswordButtons(c);

  // Welcome page.
  {
    std::string page = plan.UseTemplate(in.welcome);
    if (plan.abandoned) return plan;
    Section(page, "inclWelcome", !c.Text("mmoWelcome").empty());
    Section(page, "inclInstructions", !c.Text("mmoInstructions").empty());
    Fill(page, "[strPlainTitle]", ShownText(in.title, false));
    Fill(page, "[strGraphicURL]", Attribute(c.Text("editGraphicURL")));
    Fill(page, "[strWelcome]", MarkupText(c.Text("mmoWelcome"), TextPlace::Block));
    Fill(page, "[strInstructions]", MarkupText(c.Text("mmoInstructions"), TextPlace::Block));
    FillNavButtons(page, buttons);
    FillAddressesAndColours(page, c, Attribute);
    plan.steps.push_back(ExportStep::Write(names.PathOf(names.welcome),
                                           FinishPage(page, in.title, kExerciseWord), names.welcome,
                                           ListEntry::AppendLine, kUnableToSave + names.welcome));
  }

  // Code page.
  {
    std::string page = plan.UseTemplate(in.code);
    if (plan.abandoned) return plan;
    Section(page, "inclHelpButton", c.Checked("chkIncludeHelp"));
    const std::string letters = LetterArray(grid);
    const Clues clues = CutClueLists(page, words);
    const std::string cellBlock =
        CutMarkedBlock(page, "[StartCellLoop]", "[EndCellLoop]", "[Grid]", false);
    const GridRows table = MakeGridRows(grid, cellBlock, false);

    FillLettersAndClues(page, letters, clues);
    Fill(page, "[Grid]", table.rows);

    const std::string check = "<INPUT TYPE=\"button\" VALUE=\"" + Attribute(c.Text("editCheck")) +
                              "\" onClick=\"CheckAnswer()\">";
    const std::string hint =
        c.Text("editHint").empty() || !c.Checked("chkIncludeHint")
            ? std::string()
            : "<INPUT TYPE=\"button\" VALUE=\"" + Attribute(c.Text("editHint")) +
                  "\"  onClick=\"Cheat()\">";

    Fill(page, "[strPuzzleTitle]", MarkupText(in.title, TextPlace::Heading));
    Fill(page, "[strPlainTitle]", ShownText(in.title, false));
    Fill(page, "[strCorrect]", Script(c.Text("editCorrect")));
    Fill(page, "[strIncorrect]", Script(c.Text("editIncorrect")));
    Fill(page, "[strCluesAcross]", MarkupText(c.Text("editCluesAcross"), TextPlace::Heading));
    Fill(page, "[strCluesDown]", MarkupText(c.Text("editCluesDown"), TextPlace::Heading));
    Fill(page, "[strGiveHint]", Script(c.Text("editNextCorrect")));
    Fill(page, "[strGraphicURL]", Attribute(c.Text("editGraphicURL")));
    Fill(page, "[strPuzzleSubtitle]", MarkupText(c.Text("mmoSubtitle"), TextPlace::Block));
    Fill(page, "[HelpButton]", buttons.help);
    Fill(page, "[WelcomeFileName]", welcomeAddress);
    Fill(page, "[HelpCaption]", Attribute(c.Text("editHelp")));
    Fill(page, "[CheckButton]", check);
    Fill(page, "[HintButton]", hint);
    Fill(page, "[TopNextExButton]", buttons.topNextEx);
    FillNavButtons(page, buttons);
    FillAddressesAndColours(page, c, Attribute);
    plan.steps.push_back(ExportStep::Write(names.PathOf(names.code),
                                           FinishPage(page, in.title, kExerciseWord), names.code,
                                           ListEntry::AppendLine, kUnableToSave + names.code));
  }
  return plan;
}

std::string MakeDHTMLCodePage(const LetterGrid& grid, const CrosswordWords& words,
                              const CrosswordExportInput& in, ExportPlan& plan) {
  const ConfigValues& c = in.config;
  std::string page = plan.UseTemplate(in.dhtml);
  if (plan.abandoned) return {};
  const std::string letters = LetterArray(grid);

  // The clue block with its two lists, as one script assignment.
  // The template's line ends go; the teacher's stay, as a script string
  // keeps them.
  std::string clueBlock = CutMarkedBlock(page, "[StartClueCode]", "[EndClueCode]", "[Clues]", false);
  clueBlock = ReplaceAll(kCrLf, "", clueBlock);
  const Clues clues = CutClueLists(clueBlock, words);
  Fill(clueBlock, "[CluesAcrossLoop]", clues.across.items);
  Fill(clueBlock, "[CluesDownLoop]", clues.down.items);
  Fill(clueBlock, "[strCluesAcross]", MarkupText(c.Text("editCluesAcross"), TextPlace::Heading));
  Fill(clueBlock, "[strCluesDown]", MarkupText(c.Text("editCluesDown"), TextPlace::Heading));
  Fill(page, "[Clues]", SafeJSStringAssignment("ClueCode", clueBlock));

  // The grid block with its table rows, as one script assignment.
  std::string gridBlock = CutMarkedBlock(page, "[StartGridCode]", "[EndGridCode]", "[Grid]", false);
  const std::string cellBlock =
      CutMarkedBlock(gridBlock, "[StartCellLoop]", "[EndCellLoop]", "[Cells]", false);
  const GridRows table = MakeGridRows(grid, cellBlock, true);
  Fill(gridBlock, "[Cells]", table.rows);
  gridBlock = ReplaceAll(kCrLf, "", gridBlock);
  Fill(gridBlock, "[strExBGColor]", Attribute(c.Text("editExBGColor")));
  const std::string gridCode = SafeJSStringAssignment("GridCode", gridBlock);

  Section(page, "inclKeyNavigation", c.Checked("chkKeyNavigation"));
  Section(page, "inclHint", c.Checked("chkIncludeHint"));
  Section(page, "inclBack", c.Checked("chkIncludeBack"));
  Section(page, "inclContents", c.Checked("chkIncludeContents"));
  Section(page, "inclNextEx", c.Checked("chkIncludeNextEx"));

  Fill(page, "[Grid]", gridCode);
  Fill(page, "[GridMap]", table.map);
  FillLettersAndClues(page, letters, clues);
  Fill(page, "[strExerciseTitle]", ScriptMarkup(in.title));
  Fill(page, "[strPlainTitle]", ShownText(in.title, false));
  Fill(page, "[strCorrect]", Script(c.Text("editCorrect")));
  Fill(page, "[strIncorrect]", Script(c.Text("editIncorrect")));
  Fill(page, "[strCheckCaption]", ScriptCaption(c.Text("editCheck")));
  Fill(page, "[strHintCaption]", ScriptCaption(c.Text("editHint")));
  Fill(page, "[strCluesAcross]", Script(c.Text("editCluesAcross")));
  Fill(page, "[strCluesDown]", Script(c.Text("editCluesDown")));
  Fill(page, "[strNextCorrect]", Script(c.Text("editNextCorrect")));
  Fill(page, "[strOKCaption]", ScriptCaption(c.Text("editOKCaption")));
  Fill(page, "[strGraphicURL]", Script(c.Text("editGraphicURL")));
  Fill(page, "[strExerciseSubtitle]", ScriptMarkup(c.Text("mmoSubtitle")));
  Fill(page, "[strInstructions]", ScriptMarkup(c.Text("mmoInstructions")));
  FillScriptAddressesAndColours(page, c);
  return FinishPage(page, in.title, kExerciseWord);
}

ExportPlan BuildSinglePageExport(const LetterGrid& grid, const CrosswordWords& words,
                                 const CrosswordExportInput& in) {
  ExportPlan plan =
      MakeExportPlan(kProgramName, MakeExportNames(in.fileName), false, tavrel::mbYesNo);
  plan.report = [fileName = in.fileName](const ExportOutcome& written) {
    return written.rootWritten ? SinglePageReport(fileName) : ExportReport();
  };
  const std::string page = MakeDHTMLCodePage(grid, words, in, plan);
  if (plan.abandoned) return plan;
  plan.WriteSinglePage(page);
  return plan;
}

ExportReport FramesReport(const std::vector<std::string>& writtenNames, bool rootWritten,
                             const std::string& rootName) {
  ExportReport report;
  const size_t k = writtenNames.size();
  if (k == 0) return report;
  static const char* const counts[] = {"no", "one", "two", "three"};
  const std::string count = k < 4 ? std::string(counts[k]) : std::to_string(k);
  const std::string crlf2 = kCrLf + kCrLf;
  std::string names;
  for (size_t i = 0; i < k; ++i) {
    if (i > 0) names += (i + 1 == k) ? " and " : ", ";
    names += "\"" + writtenNames[i] + "\"";
  }
  report.text = "Gridel has produced " + count +
                (k == 1 ? " HTML file, " : " HTML files, ") + crlf2 + names + "." + crlf2;
  if (k > 1) report.text += "These files must be placed in the same directory.";
  if (rootWritten) {
    if (k > 1) report.text += " ";
    report.text += "The frame document is \"" + rootName +
                   "\". If this is loaded into a browser, the exercise should appear." + crlf2 +
                   "Would you like to view the exercise now?";
    report.offersView = true;
    report.buttons = tavrel::mbYesNoCancel;
  }
  return report;
}

ExportReport SinglePageReport(const std::string& fileName) {
  ExportReport report;
  const std::string crlf2 = kCrLf + kCrLf;
  report.text = "Gridel has created the following file:" + crlf2 + fileName + crlf2 +
                "If this file is loaded into a browser, the exercise should appear." + crlf2 +
                "Would you like to view the exercise now?";
  report.offersView = true;
  report.buttons = tavrel::mbYesNo;
  return report;
}

}  // namespace gridel
