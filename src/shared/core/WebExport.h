// The steps every web export shares, as plain functions over plain data: the
// names of the pages, the template with its fallback to the template store,
// the navigation buttons, the text safety of values put into pages, and the
// running of an export's steps (messages, page writes, the list of created
// files and the final report).  The exporters build an ExportPlan; the click
// handlers run it.  Pure: Windows-1252 text, no Qt (messages go through
// tavrel::platform()).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Platform.h"
#include "shared/core/ConfigValues.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/HelpContexts.h"

// Help contexts of the export messages.
inline constexpr int kWebExportHelpContext = kHelpWebExport;
inline constexpr int kTemplateHelpContext = kHelpTemplates;

// ---------------------------------------------------------------- names ----

// The pages of one export.  fileName is the root page as chosen (full path),
// name its bare file name, folder the folder part (with its trailing "/").
// base is the part of name before the first ".htm" (empty when name has none
// or starts with it); the companions are bare names in folder.
struct ExportNames {
  std::string fileName;
  std::string name;
  std::string folder;
  std::string base;
  std::string welcome;  // base + "w.htm"
  std::string code;     // base + "c.htm"
  std::string reading;  // base + "r.htm"

  std::string PathOf(const std::string& bareName) const { return folder + bareName; }
};
ExportNames MakeExportNames(const std::string& fileName);

// True when the bare name holds a blank; AskContinueWithBlank then asks the
// user, and only Yes lets the export go on.
bool NameHasBlank(const std::string& name);
bool AskContinueWithBlank();
extern const char* const kBlankInNameMessage;

// ------------------------------------------------------------ templates ----

struct ExportMessage {
  std::string text;
  tavrel::MsgType type = tavrel::MsgType::Warning;
  unsigned buttons = tavrel::mbOK;
  int helpContext = 0;
  bool plain = false;  // a plain message box
};


// A page template as the export finds it: the text read from the template
// folder (none when it could not be read), and its fallbacks in order: the
// template store's text of the same slot, then the supplied template built
// into the program.
struct TemplateSource {
  std::string fileName;             // "askeryc.ht_"
  std::optional<std::string> disk;  // text read from the template folder
  std::string store;                // the store's fallback text
  std::string builtIn{};            // the supplied template compiled in
  std::string folder{};             // where it was looked for
  std::string warning{};            // the warning when the file failed; "" = the usual one
};

// The template store's texts, one per slot (the template editor keeps them;
// the exporters take them as a value).
struct TemplateStore {
  std::string frameset;
  std::string welcome;
  std::string code;
  std::string dhtml;
  std::string reading;
};

// The one lookup of a template file, made alike by the template editor (at
// start, on Cancel and on Accept) and by every export: the file of that name
// in folder whatever its letter case (of several spellings, the one asked
// for, else the first in byte order, so that all callers take the same one);
// folder + fileName when there is none, which is where a new template is
// written.  The names asked for are
// the ones the templates are supplied under ("pairoc.ht_").
std::string TemplatePath(const std::string& folder, const std::string& fileName);
// Reads the template that TemplatePath finds.  An empty file counts as no
// template: false, as for one that cannot be read, and text stays as it was.
bool LoadTemplateFile(const std::string& folder, const std::string& fileName, std::string& text);

// Reads fileName from folder (any letter case) with its fallbacks.
TemplateSource ReadTemplateSource(const std::string& folder, const std::string& fileName,
                                  const std::string& storeText,
                                  const std::string& builtIn = std::string());

// The text of a template after its fallbacks, and the messages that tell
// of them: a warning when the file failed; an error, and no text, when every
// fallback is empty too.
struct TemplateText {
  std::string text;
  std::vector<ExportMessage> messages;
  bool failed = false;  // empty after every fallback
};
TemplateText ResolveTemplate(const TemplateSource& source);

// ----------------------------------------------------------------- plan ----

// How a written page enters the list of created files (one bare name per
// line, CR LF between lines).
enum class ListEntry {
  None,
  Front,       // name + list
  FrontLine,   // name + CR LF + list
  AppendLine,  // list + CR LF + name
};

struct ExportStep {
  enum class Kind { Message, WritePage };
  Kind kind = Kind::Message;
  ExportMessage message;  // Kind::Message

  // Kind::WritePage
  std::string path;       // full path of the page
  std::string text;       // the finished page
  // A page too large to hold whole: when set, the page is what produce
  // gives, piece by piece, and text is unused.
  TextProducer produce;
  std::string listName;   // bare name for the list
  ListEntry list = ListEntry::None;
  std::string failureText;           // plain message when the write fails
  bool stopOnFailure = false;        // a failed write ends the export, no report
  bool restoreCursorBefore = false;  // the default cursor comes back before the write

  // The page whole (produce's pieces joined, for a produced page).
  std::string PageText() const;

  static ExportStep Warning(const std::string& text, int helpContext);
  static ExportStep Write(const std::string& path, const std::string& text,
                          const std::string& listName, ListEntry list,
                          const std::string& failureText);
};

struct ExportOutcome {
  bool reported = false;  // the final report was shown
  std::string list;       // the list of created files
  tavrel::ModalResult answer = tavrel::ModalResult::None;
  std::vector<std::string> written;  // full paths of the pages written
  std::vector<std::string> names;    // their bare names, in the same order
  bool rootWritten = false;          // the root page is among them
};

// The final report of an export: its text (none when empty), its buttons,
// and whether Yes opens the root page.
struct ExportReport {
  std::string text;
  bool offersView = false;
  unsigned buttons = tavrel::mbOK;
};

// Everything an export does after its questions: the steps in order, then
// the final report.
struct ExportPlan {
  std::vector<ExportStep> steps;
  std::string programName;  // "Askery"
  std::string rootPath;     // FileName, opened on Yes
  std::string rootName;     // its bare name, named in the multi-page report
  bool multiPage = true;    // report "the following files" (else "file")
  std::string viewQuestion = "Would you like to view the quiz now?";
  unsigned reportButtons = tavrel::mbYesNoCancel;
  // The exercise's noun in the final report ("... the quiz should appear.").
  std::string exerciseNoun = "quiz";
  // A program's own final report, given the pages written; when unset
  // FinalReport words it.
  std::function<ExportReport(const ExportOutcome& written)> report;
  // A template was empty after every fallback: the export shows its
  // messages and writes nothing.
  bool abandoned = false;
  // Asked before anything is written (a page of unusual size); only Yes
  // lets the export go on.
  std::optional<ExportMessage> question;

  // The text of a template: the text read from disk, or its fallbacks after
  // a step with the warning "Unable to find source file ...".  Empty after
  // every fallback: an error step naming the template and its folder, and
  // the plan is abandoned.
  std::string UseTemplate(const TemplateSource& source);
  void Warn(const std::string& text, int helpContext);
  void AddMessages(const std::vector<ExportMessage>& messages);
  // The one page of a single-page export, written as the root page: the
  // default cursor comes back before the write, and a failure ("Unable to
  // save file: " and the full path) ends the export without a report.
  void WriteSinglePage(const std::string& page);
};

// The reading attached to a quiz or matching exercise, as the reading dialog
// holds it for an export.
struct ExportReading {
  bool include = false;  // chkIncludeReading
  bool timer = false;    // chkTimer
  int minutes = 1;       // spinTimer
  // The reading dialog's output for the export's browser version: the
  // reading page, or a web address; and the messages shown while it was made
  // (they take their place among the export's messages).
  std::string output;
  std::vector<ExportMessage> outputMessages;
  bool outputFailed = false;  // the reading template was empty after every fallback
};

// Adds the messages that making the reading output gave, in their place; a
// reading whose template was empty after every fallback abandons the export.
void AddReadingMessages(ExportPlan& plan, const ExportReading& reading);
// Adds the step that writes the reading page beside the exercise (named on
// a line of its own in the report), unless the reading is a web address;
// true when it is one.
bool AddReadingPageStep(ExportPlan& plan, const ExportNames& names, const ExportReading& reading);

// A plan whose root page is names.fileName, for programName's final report.
ExportPlan MakeExportPlan(const std::string& programName, const ExportNames& names, bool multiPage,
                          unsigned reportButtons);

// Shows the messages of a plan through tavrel::platform(), in order (for
// plans that write no pages).
void ShowPlanMessages(const ExportPlan& plan);

// The final report for the pages written.  It names only those pages, and
// offers to open the root page only when the root page is among them; with
// nothing written there is no report.  Multi-page form: the list of created
// files, then the root page; single-page form: the one root page.
ExportReport FinalReport(const ExportPlan& plan, const ExportOutcome& written);

using PageWriter = std::function<bool(const std::string& path, const std::string& text)>;

// Runs the steps: first the plan's question, when it has one (any answer but
// Yes ends the export with nothing written); messages through
// tavrel::platform(), pages through writer (SaveTextFile, or SaveTextFileFrom
// for a produced page, when none is given); a failed write shows its message
// and the export goes on (or ends, for a step that says so).  Then, with the default
// cursor back, the final report (plan.report, else FinalReport); Yes opens
// the root page when the report offers it, and a failure to open it is shown
// as a plain message.  An abandoned plan shows its messages with the default
// cursor back and writes nothing.
ExportOutcome RunExportPlan(const ExportPlan& plan, tavrel::BusyCursor* cursor,
                            const PageWriter& writer = nullptr);

// ------------------------------------------------------ text in pages ----

// Makes a value that stands inside a quoted script string safe for the page
// around it: CR and LF become the escapes \r and \n, "</" becomes "<\/" and
// "<!--" becomes "<\!--", so that no text can end the script element or the
// string; "[" becomes "\x5B", so that a placeholder word typed into a text
// (such as "[Answers]") is not filled by a later replacement of the page.
// Applied after JSEscapeQuotes (which doubles backslashes).
std::string ScriptStringSafe(const std::string& s);

// JSEscapeQuotes followed by ScriptStringSafe.
std::string ScriptString(const std::string& s);

// The assignment of MakeJSStringAssignment (chunks of 100 characters, each
// escaped by itself), with every chunk also made ScriptStringSafe.
std::string SafeJSStringAssignment(const std::string& varName, const std::string& value);

// A bare file name, as held, as a relative address of an export's own page:
// made from the name the folder holds (a held "&#38;#", a letter held as a
// reference, a byte that is no UTF-8 all as the file's own bytes), every
// byte but ASCII letters, digits and "-._~" %-encoded ("%C3%A9" for an
// accented letter, "%26" for "&", "%3B" for ";").  Plain ASCII, so it may
// stand in an attribute or a script string alike.
std::string FileNameAsAddress(const std::string& bareName);

// Where a teacher's text lands in a page: the page's elements around it, as
// a browser holds them open while it reads the text.  Text a page script puts
// into an element (innerHTML) has only the elements of the script's own
// markup around it.
enum class TextPlace {
  Block,          // a <div>'s content (welcome, instructions, a subtitle, a
                  // question, a reading), or an element a script fills
  Heading,        // an <h1> or <h2> of the page's markup (a title, the
                  // heading of a clue list)
  FormRowBlock,   // form > ol > li > div: an item of a matching row
  ListItemSpan,   // ol > li > span: a crossword clue
};

// The prefix of an id or name of a teacher's text that clashes with the
// page's own (ClashesWithPage), as written: no id or name of the pages starts
// with it, and no property of a page's objects has it.
extern const char* const kTeacherIdPrefix;

// Whether an id or name of a teacher's text, as typed, could be found by the
// page's scripts in place of their own: one that a page of the exercise uses
// (its markup, and what its scripts look up or make, a word and a number like
// "G12" for the whole family), in any letter case; or one that a browser
// makes a named property of the document or of a form, where a document or a
// form has a property of that name in Chromium or Firefox ESR ("forms",
// "images", "submit", "length" ...).
bool ClashesWithPage(const std::string& idOrName);

// A teacher's text placed in the markup of a page.  It is HTML on purpose
// (links, pictures, <b>, <br>, a video's <iframe>, a table) and stays so, as
// a fragment that, read by a browser in its place, holds only itself: the
// text is parsed as a browser parses the content of a <div> and written
// back.
//  - Every element it opens is closed within it; an end tag it did not open
//    is left out; a comment, script, style, textarea, title and the other
//    elements read as plain text are closed at its end; a plaintext element
//    is shown as typed.
//  - An element that, read in place, would close or leave an element of the
//    page around it (an <li> outside a list of the text's own within a page's
//    list item, a heading right inside a page's heading, a form within a
//    page's form ...) is written without its tags, its content kept; so is
//    an element nested deeper than kMaxMarkupDepth.  <base> and <meta> are
//    not written: they would act on the whole page.
//  - An id or name (but a plugin <param>'s) stays as typed, so that the
//    teacher's own scripts and style rules find it; one that clashes with
//    the page's (ClashesWithPage) gets kTeacherIdPrefix, so that no script of
//    the page finds an element of the text in place of its own.  The
//    references to ids and names within the text (href="#x", for, usemap,
//    headers, list, form, the aria-... references, url(#x) and href in a
//    picture) follow them.  One typed with the prefix already stays: a text
//    written twice comes out the same (a teacher who types both "forms" and
//    "tt-forms" gets the one id twice).
//  - An HTML element that a browser takes out of an <svg> or <math> ("<svg>
//    <p>x") stands after it, where a browser shows it.
//  - A line break in text a reader would otherwise lose becomes <BR>: not in
//    a pre, textarea or the content of a script, style or other element read
//    as plain text, not between the rows of a table or the items of a list
//    or select list, not in an attribute, and not where the end or start of
//    a block shows it already.  Tabs there become five no-break spaces.
//  - A tag that the end of the text cuts short ("a<b") is shown as typed.
//  - Attributes are written in double quotes; character references become
//    the characters they stand for, "&", "<", ">" and the no-break space in
//    text and "&", quotes and the no-break space in attributes as references;
//    a character the page's code page cannot hold as a numeric reference.
//  - The bracket of a placeholder or section word ("[Answers]",
//    "[/inclHint]") becomes "&#91;", which the browser shows as the bracket,
//    so that the word is not filled by a later replacement of the page.
//    Other brackets ("[1]", "[ ]") stay.
//  - The content of a script, style and the other elements read as plain
//    text stands between the marks kRawTextStart and kRawTextEnd, its
//    brackets as kRawTextBracket: no replacement of the page finds a word
//    there, and PageText (FinishPage) writes it as typed.
// Written twice, the text comes out the same.  Linear in the length of the
// text.
std::string MarkupText(const std::string& s, TextPlace place);

// A teacher's text for a single-quoted script string that a page script puts
// into an element (innerHTML): MarkupText for a block, made safe as
// ScriptString.
std::string ScriptMarkup(const std::string& s);

inline constexpr char kRawTextStart = '\x0E';
inline constexpr char kRawTextEnd = '\x0F';
inline constexpr char kRawTextBracket = '\x10';
inline constexpr int kMaxMarkupDepth = 400;

// A teacher's text shown as text only (an option of a select list, a card,
// the name of a place, a page's title): the text a reader sees of
// MarkupText's parse, as text ("2 < 3" and "a<b" keep their "<"; a
// comment, a picture's alt, a script show nothing), brackets as character
// references.  Line breaks, <br> and the edges of blocks (p, div, li, a
// table's cells and rows, headings ...) read as one blank, where a browser's
// innerText breaks the line; blanks in a row are one, and none starts or
// ends the text.  Where nothing but blanks is
// left, the text shows as typed, tags and all (unless typedWhenBlank is
// false: a page's title that is a picture alone is left blank, for the page
// to be titled by its kind).  Linear in the length of the text.
std::string ShownText(const std::string& s, bool typedWhenBlank = true);

// The bracket of every placeholder or section word as "&#91;".
std::string NoPlaceholderWords(const std::string& s);

// Every character above 127 as an entity, but in the content of a teacher's
// script, style and the like (between kRawTextStart and kRawTextEnd), which
// stays as typed, marks and all.
std::string PageEntities(const std::string& s);
// A finished text of a page: PageEntities, then the marks of the teacher's
// raw text taken out (its brackets back).  Linear.
std::string PageText(const std::string& s);

// A value for a double-quoted attribute: double quotes become &quot;, and
// brackets as in MarkupText.
std::string AttributeValue(const std::string& s);

// ---------------------------------------------------- navigation buttons ----

// The navigation buttons of the frames exports, from the configuration:
// each is empty unless its caption is not empty and its include box checked.
struct NavButtons {
  std::string nextEx;
  std::string topNextEx;  // for a double- or single-quoted script string
  std::string contents;
  std::string back;
  std::string help;
};
// Quiz: the top next-exercise button in <FORM>; Matching: the buttons
// address the parent only with a reading; Crossword: as the quiz, the top
// button's form posting.
enum class NavStyle { Quiz, Matching, Crossword };
NavButtons BuildNavButtons(const ConfigValues& config, NavStyle style = NavStyle::Quiz);
// Fills [NextExButton], [ContentsButton] and [BackButton] of a frames page.
void FillNavButtons(std::string& page, const NavButtons& buttons);

// --------------------------------------------------- filling the pages ----

// Fills one placeholder everywhere in the page (the replace-all rule: text
// put in is never searched again).
void FillPlaceholder(std::string& page, const char* placeholder, const std::string& value);
// Keeps ("[tag]" and "[/tag]" removed) or removes a section of the page.
void KeepSection(std::string& page, const char* tag, bool keep);
std::string TrueFalse(bool b);
// A caption for a script string: double quotes as entities, then made a
// safe script string.
std::string ScriptCaption(const std::string& s);
// The two addresses and the five colours of the configuration, in this
// order: [strContentsURL], [strNextExURL], [strPageBGColor],
// [strTitleColor], [strExBGColor], [strTextColor], [strNavBarColor]; each
// value made a double-quoted attribute's by attribute.
void FillAddressesAndColours(std::string& page, const ConfigValues& c,
                             std::string (*attribute)(const std::string&) = AttributeValue);
// The navigation of a single page, as script strings, in this order:
// [strBackCaption], [strContentsCaption], [strNextExCaption] (captions),
// [strContentsURL], [strNextExURL], [strPageBGColor], [strTitleColor],
// [strExBGColor], [strTextColor], [strNavBarColor], [strPopupBGColor].
void FillScriptAddressesAndColours(std::string& page, const ConfigValues& c);
// A finished page: the author tag in its head, and every character above 127
// as an entity (PageText).
std::string FinishPage(const std::string& page);
// The same for a page of an exercise with this title: an empty <title>
// element gets kindWord ("Quiz"), and when the title is empty every empty
// <h1> is left out (hidden: the page's scripts may still look for it).
std::string FinishPage(const std::string& page, const std::string& title, const char* kindWord);
// The reading's placeholders of an exercise page, in this order:
// [strRemainingTime], [strTimesUp], [TimerValue] (minutes),
// [ReadingFileName] (readingAddress as given), [strStartReading],
// [strClickToShow].
void FillReadingPlaceholders(std::string& page, const ConfigValues& c, int minutes,
                             const std::string& readingAddress);
// The frameset of an export with a reading, filled and finished: the
// V4BrowserVersion section kept where v4, else the V3BrowserVersion one; the
// reading and timer sections settled for a reading; [strPlainTitle],
// [CodeFileName] (the exercise page beside the frameset) and
// [ReadingFileName] filled.  The reading frame shows the reading page
// beside the frameset, or the web address the reading dialog gave, as
// address writes it; the V4 section's reading frame has no timer sections,
// so there a timed reading's address starts blank.  kindWord as FinishPage.
std::string FilledFrameset(std::string frameset, const ExportNames& names,
                           const ExportReading& reading, const std::string& title,
                           const char* kindWord, bool v4,
                           std::string (*address)(const std::string&));
