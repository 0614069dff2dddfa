#include "shared/core/WebExport.h"

#include "platform/core/TextCodec.h"

#include <cctype>

#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

const char* const kBlankInNameMessage =
    "Your file name contains a space. This may cause trouble if you upload it to certain "
    "servers. Do you still wish to continue?";

ExportNames MakeExportNames(const std::string& fileName) {
  ExportNames n;
  n.fileName = fileName;
  n.name = ExtractFileName(fileName);
  n.folder = ExtractFilePath(fileName);
  const auto p = n.name.find(".htm");
  n.base = p == std::string::npos ? std::string() : n.name.substr(0, p);
  n.welcome = n.base + "w.htm";
  n.code = n.base + "c.htm";
  n.reading = n.base + "r.htm";
  return n;
}

bool NameHasBlank(const std::string& name) { return name.find(' ') != std::string::npos; }

bool AskContinueWithBlank() {
  return tavrel::platform().messageDlg(kBlankInNameMessage, tavrel::MsgType::Warning,
                                       tavrel::mbYesNoCancel,
                                       kWebExportHelpContext) == tavrel::ModalResult::Yes;
}

ExportStep ExportStep::Warning(const std::string& text, int helpContext) {
  ExportStep s;
  s.kind = Kind::Message;
  s.message.text = text;
  s.message.type = tavrel::MsgType::Warning;
  s.message.buttons = tavrel::mbOK;
  s.message.helpContext = helpContext;
  return s;
}

std::string ExportStep::PageText() const {
  if (!produce) return text;
  std::string page;
  produce([&page](const std::string& piece) {
    page += piece;
    return true;
  });
  return page;
}

ExportStep ExportStep::Write(const std::string& path, const std::string& text,
                             const std::string& listName, ListEntry list,
                             const std::string& failureText) {
  ExportStep s;
  s.kind = Kind::WritePage;
  s.path = path;
  s.text = text;
  s.listName = listName;
  s.list = list;
  s.failureText = failureText;
  return s;
}

std::string TemplatePath(const std::string& folder, const std::string& fileName) {
  return FindFileNoCase(folder, fileName);
}

bool LoadTemplateFile(const std::string& folder, const std::string& fileName, std::string& text) {
  std::string read;
  if (!LoadTextFile(TemplatePath(folder, fileName), read) || read.empty()) return false;
  text = std::move(read);
  return true;
}

TemplateSource ReadTemplateSource(const std::string& folder, const std::string& fileName,
                                  const std::string& storeText, const std::string& builtIn) {
  TemplateSource t;
  t.fileName = fileName;
  t.store = storeText;
  t.builtIn = builtIn;
  t.folder = folder;
  std::string text;
  if (LoadTemplateFile(folder, fileName, text)) t.disk = text;
  return t;
}

TemplateText ResolveTemplate(const TemplateSource& source) {
  TemplateText r;
  // An empty file is no template either: it would give empty pages.
  if (source.disk && !source.disk->empty()) {
    r.text = *source.disk;
    return r;
  }
  const std::string warning =
      source.warning.empty()
          ? "Unable to find source file " + source.fileName + ". Reverting to default."
          : source.warning;
  r.messages.push_back({warning, tavrel::MsgType::Warning, tavrel::mbOK, kTemplateHelpContext, false});
  r.text = !source.store.empty() ? source.store : source.builtIn;
  if (r.text.empty()) {
    r.failed = true;
    const std::string where =
        source.folder.empty() ? "the template folder" : tavrel::ShownPath(source.folder);
    r.messages.push_back({"The template " + source.fileName + " was not found in " + where +
                              ", and no default text is available for it. Nothing has been "
                              "exported.",
                          tavrel::MsgType::Error, tavrel::mbOK, kTemplateHelpContext, false});
  }
  return r;
}

std::string ExportPlan::UseTemplate(const TemplateSource& source) {
  TemplateText t = ResolveTemplate(source);
  AddMessages(t.messages);
  if (t.failed) abandoned = true;
  return t.text;
}

void ExportPlan::Warn(const std::string& text, int helpContext) {
  steps.push_back(ExportStep::Warning(text, helpContext));
}

void ExportPlan::WriteSinglePage(const std::string& page) {
  ExportStep write = ExportStep::Write(rootPath, page, rootName, ListEntry::None,
                                       "Unable to save file: " + rootPath);
  write.restoreCursorBefore = true;
  write.stopOnFailure = true;
  steps.push_back(write);
}

void ExportPlan::AddMessages(const std::vector<ExportMessage>& messages) {
  for (const ExportMessage& m : messages) {
    ExportStep step;
    step.kind = ExportStep::Kind::Message;
    step.message = m;
    steps.push_back(step);
  }
}

ExportPlan MakeExportPlan(const std::string& programName, const ExportNames& names, bool multiPage,
                          unsigned reportButtons) {
  ExportPlan plan;
  plan.programName = programName;
  plan.rootPath = names.fileName;
  plan.rootName = names.name;
  plan.multiPage = multiPage;
  plan.reportButtons = reportButtons;
  return plan;
}

void AddReadingMessages(ExportPlan& plan, const ExportReading& reading) {
  plan.AddMessages(reading.outputMessages);
  if (reading.outputFailed) plan.abandoned = true;
}

bool AddReadingPageStep(ExportPlan& plan, const ExportNames& names, const ExportReading& reading) {
  if (IsWebAddress(reading.output)) return true;
  plan.steps.push_back(ExportStep::Write(names.PathOf(names.reading), reading.output,
                                         names.reading, ListEntry::AppendLine,
                                         "Unable to save file: " + names.reading));
  return false;
}

void ShowPlanMessages(const ExportPlan& plan) {
  for (const ExportStep& s : plan.steps) {
    if (s.kind != ExportStep::Kind::Message) continue;
    if (s.message.plain)
      tavrel::platform().showMessage(s.message.text);
    else
      tavrel::platform().messageDlg(s.message.text, s.message.type, s.message.buttons,
                                    s.message.helpContext);
  }
}

namespace {

// The list of created files without the empty lines a failed page leaves
// where its name would have stood.
std::string ListWithoutGaps(const std::string& list) {
  std::string out;
  std::size_t from = 0;
  while (from <= list.size()) {
    std::size_t to = list.find("\r\n", from);
    if (to == std::string::npos) to = list.size();
    if (to > from) out += (out.empty() ? "" : "\r\n") + list.substr(from, to - from);
    from = to + 2;
  }
  return out;
}

}  // namespace

ExportReport FinalReport(const ExportPlan& plan, const ExportOutcome& written) {
  ExportReport report;
  if (written.written.empty()) return report;
  const std::string crlf2 = "\r\n\r\n";
  const std::string appear =
      "If this file is loaded into a browser, the " + plan.exerciseNoun + " should appear.";
  if (!plan.multiPage) {
    if (!written.rootWritten) return report;
    report.text = plan.programName + " has created the following file:" + crlf2 + plan.rootPath +
                  crlf2 + appear + crlf2 + plan.viewQuestion;
  } else {
    report.text = plan.programName + " has created the following files:" + crlf2 +
                  ListWithoutGaps(written.list);
    if (!written.rootWritten) return report;
    report.text += crlf2 + "The root file name is " + plan.rootName + ". " + appear + crlf2 +
                   plan.viewQuestion;
  }
  report.offersView = true;
  report.buttons = plan.reportButtons;
  return report;
}

ExportOutcome RunExportPlan(const ExportPlan& plan, tavrel::BusyCursor* cursor,
                            const PageWriter& writer) {
  ExportOutcome out;
  auto& ui = tavrel::platform();
  if (plan.abandoned) {
    if (cursor) cursor->release();
    ShowPlanMessages(plan);
    return out;
  }
  if (plan.question && ui.messageDlg(plan.question->text, plan.question->type,
                                     plan.question->buttons,
                                     plan.question->helpContext) != tavrel::ModalResult::Yes) {
    if (cursor) cursor->release();
    return out;
  }
  for (const ExportStep& step : plan.steps) {
    if (step.kind == ExportStep::Kind::Message) {
      if (step.message.plain)
        ui.showMessage(step.message.text);
      else
        ui.messageDlg(step.message.text, step.message.type, step.message.buttons,
                      step.message.helpContext);
      continue;
    }
    if (step.restoreCursorBefore && cursor) cursor->release();
    bool ok = false;
    if (writer)
      ok = writer(step.path, step.produce ? step.PageText() : step.text);
    else if (step.produce)
      ok = SaveTextFileFrom(step.path, step.produce);
    else
      ok = SaveTextFile(step.path, step.text);
    if (!ok) {
      // The saver's reason, below the page's own message.
      const std::string reason = writer ? std::string() : LastSaveFailureReason();
      // The page's message names its file as the folder holds it.
      const std::string failure = tavrel::ShownPath(step.failureText);
      ui.showMessage(reason.empty() ? failure : failure + "\r\n" + reason);
      if (step.stopOnFailure) {
        if (cursor) cursor->release();
        return out;
      }
      continue;
    }
    out.written.push_back(step.path);
    out.names.push_back(step.listName);
    if (step.path == plan.rootPath) out.rootWritten = true;
    switch (step.list) {
      case ListEntry::None:
        break;
      case ListEntry::Front:
        out.list = step.listName + out.list;
        break;
      case ListEntry::FrontLine:
        out.list = step.listName + "\r\n" + out.list;
        break;
      case ListEntry::AppendLine:
        out.list += "\r\n" + step.listName;
        break;
    }
  }
  if (cursor) cursor->release();
  const ExportReport report = plan.report ? plan.report(out) : FinalReport(plan, out);
  if (report.text.empty()) return out;
  out.reported = true;
  // The report's words are the program's, its names the pages' held names:
  // it names them as the folder holds them.
  out.answer = ui.messageDlg(tavrel::ShownPath(report.text), tavrel::MsgType::Information,
                             report.buttons, kWebExportHelpContext);
  if (report.offersView && out.answer == tavrel::ModalResult::Yes) {
    try {
      ShellOpenFile(plan.rootPath);
    } catch (const ShellOpenError& e) {
      ui.showMessage(e.what());
    }
  }
  return out;
}

std::string ScriptStringSafe(const std::string& s) {
  std::string r;
  r.reserve(s.size() + s.size() / 8);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\r') {
      r += "\\r";
    } else if (c == '\n') {
      r += "\\n";
    } else if (c == '<' && i + 1 < s.size() && s[i + 1] == '/') {
      r += "<\\";
    } else if (c == '<' && s.compare(i, 4, "<!--") == 0) {
      r += "<\\";
    } else if (c == '[') {
      // A bracket written as an escape: a placeholder word typed into a text
      // is then not filled by a later replacement of the same page.
      r += "\\x5B";
    } else {
      r += c;
    }
  }
  return r;
}

std::string ScriptString(const std::string& s) { return ScriptStringSafe(JSEscapeQuotes(s)); }

std::string ScriptMarkup(const std::string& s) { return ScriptString(MarkupText(s, TextPlace::Block)); }

std::string SafeJSStringAssignment(const std::string& varName, const std::string& value) {
  if (value.size() <= 100) return varName + "='" + ScriptString(value) + "';";
  std::vector<std::string> chunks;
  SplitIntoChunks(100, value, chunks);
  std::string r;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    if (i == 0)
      r += varName + "='" + ScriptString(chunks[i]) + "';";
    else
      r += "\r\n" + varName + "+='" + ScriptString(chunks[i]) + "';";
  }
  return r;
}

std::string FileNameAsAddress(const std::string& bareName) {
  // The bytes of the name as the folder holds it (the held references
  // decoded), every one but a letter, a digit, "-", ".", "_" and "~"
  // %-encoded: the address means the same in an attribute, in a script
  // string and in a page of any code page, and nothing in it reads as a
  // scheme (":"), a query ("?"), a fragment ("#") or a reference ("&").
  static const std::string special = [] {
    std::string all;
    for (int c = 0x20; c < 0x100; ++c) {
      const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '-' || c == '.' || c == '_' || c == '~';
      if (!kept) all += static_cast<char>(c);
    }
    return all;
  }();
  return PercentEncoded(tavrel::Win1252PathToUtf8(bareName), special);
}

namespace {

// The length of a placeholder or section word ("[word]" or "[/word]", a
// letter first) that starts at i, else 0.
std::size_t PlaceholderWordAt(const std::string& s, std::size_t i) {
  std::size_t j = i + 1;
  if (j < s.size() && s[j] == '/') ++j;
  const std::size_t first = j;
  while (j < s.size() && std::isalnum(static_cast<unsigned char>(s[j]))) ++j;
  if (j > first && std::isalpha(static_cast<unsigned char>(s[first])) && j < s.size() &&
      s[j] == ']')
    return j + 1 - i;
  return 0;
}

}  // namespace

std::string NoPlaceholderWords(const std::string& s) {
  std::string r;
  r.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '[' && PlaceholderWordAt(s, i) > 0)
      r += "&#91;";
    else
      r += s[i];
  }
  return r;
}

std::string AttributeValue(const std::string& s) { return QuotesToEntities(NoPlaceholderWords(s)); }

namespace {

// An address in the click script of a button: a script string inside a
// double-quoted attribute.
std::string AddressInHandler(const std::string& address) {
  return QuotesToEntities(ScriptString(address));
}

bool Wanted(const ConfigValues& c, const char* caption, const char* include) {
  return !c.Text(caption).empty() && c.Checked(include);
}

}  // namespace

NavButtons BuildNavButtons(const ConfigValues& c, NavStyle style) {
  NavButtons b;
  const std::string target = style == NavStyle::Matching
                                 ? "[inclReading]parent.[/inclReading]location='"
                                 : "parent.location='";
  auto linkButton = [&](const char* caption, const char* include, const char* url) {
    if (!Wanted(c, caption, include)) return std::string();
    return "<INPUT TYPE=\"button\" VALUE=\"" + AttributeValue(c.Text(caption)) +
           "\" onClick=\"" + target + AddressInHandler(c.Text(url)) + "'\">";
  };
  b.nextEx = linkButton("editNextEx", "chkIncludeNextEx", "editNextExURL");
  b.contents = linkButton("editContents", "chkIncludeContents", "editContentsURL");
  if (style != NavStyle::Matching && Wanted(c, "editNextEx", "chkIncludeNextEx")) {
    // Written into a script string of the page, hence the escaped quotes; the
    // address is escaped for the click script, the attribute and the string.
    const std::string address = ScriptString(AddressInHandler(c.Text("editNextExURL")));
    const bool posting = style == NavStyle::Crossword;
    b.topNextEx = std::string(posting ? "<form method=post>" : "<FORM>") +
                  "<INPUT TYPE=\\\"button\\\" VALUE=\\\"" +
                  ScriptString(QuotesToEntities(c.Text("editNextEx"))) +
                  "\\\" onClick=\\\"parent.location=\\'" + address + "\\'\\\">" +
                  (posting ? "<\\/form>" : "<\\/FORM>");
  }
  // The frames of an export are separate origins when opened from disk: a
  // frame may not reach its parent's history, but all frames share the one
  // session history, so going back from the frame goes back in the frameset.
  if (Wanted(c, "editBack", "chkIncludeBack"))
    b.back = "<INPUT TYPE=\"button\" VALUE=\"" + AttributeValue(c.Text("editBack")) +
             "\" onClick=\"history.back()\">";
  if (style != NavStyle::Matching && Wanted(c, "editHelp", "chkIncludeHelp"))
    b.help =
        "<INPUT TYPE=\"button\" VALUE=\"[HelpCaption]\" "
        "onClick=\"parent.FeedbackFrame.location='[WelcomeFileName]#help'\"><BR>";
  return b;
}

void FillNavButtons(std::string& page, const NavButtons& buttons) {
  FillPlaceholder(page, "[NextExButton]", buttons.nextEx);
  FillPlaceholder(page, "[ContentsButton]", buttons.contents);
  FillPlaceholder(page, "[BackButton]", buttons.back);
}

void FillPlaceholder(std::string& page, const char* placeholder, const std::string& value) {
  page = XMLReplaceAll(placeholder, value, page);
}

void KeepSection(std::string& page, const char* tag, bool keep) {
  page = ProcessTemplateSection(page, tag, keep);
}

std::string TrueFalse(bool b) { return b ? "true" : "false"; }

std::string ScriptCaption(const std::string& s) { return ScriptString(QuotesToEntities(s)); }

void FillAddressesAndColours(std::string& page, const ConfigValues& c,
                             std::string (*attribute)(const std::string&)) {
  FillPlaceholder(page, "[strContentsURL]", attribute(c.Text("editContentsURL")));
  FillPlaceholder(page, "[strNextExURL]", attribute(c.Text("editNextExURL")));
  FillPlaceholder(page, "[strPageBGColor]", attribute(c.Text("editPageBGColor")));
  FillPlaceholder(page, "[strTitleColor]", attribute(c.Text("editTitleColor")));
  FillPlaceholder(page, "[strExBGColor]", attribute(c.Text("editExBGColor")));
  FillPlaceholder(page, "[strTextColor]", attribute(c.Text("editTextColor")));
  FillPlaceholder(page, "[strNavBarColor]", attribute(c.Text("editNavBarColor")));
}

void FillScriptAddressesAndColours(std::string& page, const ConfigValues& c) {
  FillPlaceholder(page, "[strBackCaption]", ScriptCaption(c.Text("editBack")));
  FillPlaceholder(page, "[strContentsCaption]", ScriptCaption(c.Text("editContents")));
  FillPlaceholder(page, "[strNextExCaption]", ScriptCaption(c.Text("editNextEx")));
  FillPlaceholder(page, "[strContentsURL]", ScriptString(c.Text("editContentsURL")));
  FillPlaceholder(page, "[strNextExURL]", ScriptString(c.Text("editNextExURL")));
  FillPlaceholder(page, "[strPageBGColor]", ScriptString(c.Text("editPageBGColor")));
  FillPlaceholder(page, "[strTitleColor]", ScriptString(c.Text("editTitleColor")));
  FillPlaceholder(page, "[strExBGColor]", ScriptString(c.Text("editExBGColor")));
  FillPlaceholder(page, "[strTextColor]", ScriptString(c.Text("editTextColor")));
  FillPlaceholder(page, "[strNavBarColor]", ScriptString(c.Text("editNavBarColor")));
  FillPlaceholder(page, "[strPopupBGColor]", ScriptString(c.Text("editPopupBGColor")));
}

std::string FinishPage(const std::string& page) {
  return PageText(InsertAuthorMetaTag(page, kAuthorProgramName));
}

namespace {

bool Blank(const std::string& s, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (!std::isspace(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

// Every empty <h1> element of the page with the attribute hidden.  Linear:
// each part of the page is looked at a bounded number of times.
std::string HideEmptyHeadings(const std::string& page) {
  const std::string lower = LowerCaseAscii(page);
  std::string out;
  out.reserve(page.size() + 16);
  std::size_t copied = 0;
  std::size_t tagEnd = 0;  // the first ">" at or after the last place looked at
  std::size_t judged = std::string::npos;
  for (std::size_t h = lower.find("<h1"); h != std::string::npos; h = lower.find("<h1", h + 3)) {
    const std::size_t after = h + 3;
    if (after >= lower.size() ||
        (lower[after] != '>' && !std::isspace(static_cast<unsigned char>(lower[after]))))
      continue;
    if (tagEnd < after) tagEnd = lower.find('>', after);
    if (tagEnd == std::string::npos) break;
    if (tagEnd == judged) continue;  // "<h1 <h1>": one tag
    judged = tagEnd;
    std::size_t content = tagEnd + 1;
    while (content < lower.size() && std::isspace(static_cast<unsigned char>(lower[content])))
      ++content;
    if (lower.compare(content, 4, "</h1") != 0) continue;
    out.append(page, copied, tagEnd - copied);
    out += " hidden";
    copied = tagEnd;
  }
  out.append(page, copied, std::string::npos);
  return out;
}

}  // namespace

std::string FinishPage(const std::string& page, const std::string& title, const char* kindWord) {
  std::string p = Trim(title).empty() ? HideEmptyHeadings(page) : page;
  const std::string lower = LowerCaseAscii(p);
  const std::size_t open = lower.find("<title>");
  if (open != std::string::npos) {
    const std::size_t from = open + 7;
    const std::size_t close = lower.find("</title", from);
    if (close != std::string::npos && Blank(lower, from, close))
      p.replace(from, close - from, kindWord);
  }
  return FinishPage(p);
}

void FillReadingPlaceholders(std::string& page, const ConfigValues& c, int minutes,
                             const std::string& readingAddress) {
  FillPlaceholder(page, "[strRemainingTime]", ScriptString(c.Text("editRemainingTime")));
  FillPlaceholder(page, "[strTimesUp]", ScriptString(c.Text("editTimesUp")));
  FillPlaceholder(page, "[TimerValue]", std::to_string(minutes));
  FillPlaceholder(page, "[ReadingFileName]", readingAddress);
  FillPlaceholder(page, "[strStartReading]", ScriptCaption(c.Text("editStartReading")));
  FillPlaceholder(page, "[strClickToShow]", ScriptString(c.Text("editClickToShow")));
}

std::string FilledFrameset(std::string frameset, const ExportNames& names,
                           const ExportReading& reading, const std::string& title,
                           const char* kindWord, bool v4,
                           std::string (*address)(const std::string&)) {
  KeepSection(frameset, "V4BrowserVersion", v4);
  KeepSection(frameset, "V3BrowserVersion", !v4);
  KeepSection(frameset, "NoReading", false);
  KeepSection(frameset, "Reading", true);
  KeepSection(frameset, "NoTimer", !reading.timer);
  KeepSection(frameset, "Timer", reading.timer);
  FillPlaceholder(frameset, "[strPlainTitle]", ShownText(title, false));
  FillPlaceholder(frameset, "[CodeFileName]", FileNameAsAddress(names.code));
  std::string readingFrame;
  if (!IsWebAddress(reading.output))
    readingFrame = FileNameAsAddress(names.reading);
  else if (v4 && reading.timer)
    readingFrame = "javascript:document.write('');";
  else
    readingFrame = address(reading.output);
  FillPlaceholder(frameset, "[ReadingFileName]", readingFrame);
  return FinishPage(frameset, title, kindWord);
}
