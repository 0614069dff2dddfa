// The matching part of the export tool: reads a matching data file (or
// builds the demonstration exercise), a configuration file and the
// templates, applies the settings given on the command line, and runs the
// select-list or drag-and-drop export through the page builders.
//
//   tavrel_export_tool --kind matching --mode select|dragdrop --out FOLDER/NAME.htm
//       [--pry FILE.pry | --demo] [--config FILE.cfg] [--templates FOLDER/]
//       [--set CONTROL=TEXT]... [--check CONTROL=0|1]...
//       [--reading none|typed|URL] [--timer MINUTES]
//
// A refused export prints its message and ends with status 3.
#include <iostream>
#include <stdexcept>
#include <string>

#include "pairo/core/MatchExport.h"
#include "pairo/core/MatchFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"

// Windows-1252 text from the UTF-8 of the command line (export_tool.cpp).
std::string ExportToolFromUtf8(const std::string& s);

namespace {

// The demonstration exercise: accented letters, letters kept as character
// references, markup in a left item, a fixed pair and a distractor.
void BuildDemoMatching(TQList& pairs, std::string& title) {
  title = ExportToolFromUtf8("Demo matching: capitals & caf\xC3\xA9s");
  auto add = [&pairs](const char* left, const char* right, bool fixed) {
    const int n = pairs.AddQuestion();
    pairs.SetQuestionText(n, ExportToolFromUtf8(left));
    pairs.SetQuestionExtra(n, ExportToolFromUtf8(right));
    pairs.SetQuestionFlag(n, fixed);
  };
  add("France", "Paris", false);
  add("Germany", "Berlin", false);
  add("Poland", "Warszawa", false);
  add("Iceland", "Reykjav\xC3\xADk", false);
  add("Greece", "&#913;&#952;&#942;&#957;&#945;", false);
  add("<i>Austria</i>", "Vienna", true);
  add("", "Lyon", false);
}

std::string Value(int& i, int argc, char** argv) {
  if (i + 1 >= argc) throw std::runtime_error(std::string("missing value after ") + argv[i]);
  return argv[++i];
}

}  // namespace

int RunMatchingExport(int argc, char** argv) {
  std::string mode = "select";
  std::string out;
  std::string pryFile;
  std::string configFile;
  std::string templates;
  std::string readingMode;
  int timer = -1;
  ConfigValues overrides;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--kind") Value(i, argc, argv);
    else if (a == "--mode") mode = Value(i, argc, argv);
    else if (a == "--out") out = ExportToolFromUtf8(Value(i, argc, argv));
    else if (a == "--pry") pryFile = ExportToolFromUtf8(Value(i, argc, argv));
    else if (a == "--demo") pryFile.clear();
    else if (a == "--config") configFile = ExportToolFromUtf8(Value(i, argc, argv));
    else if (a == "--templates") templates = ExportToolFromUtf8(Value(i, argc, argv));
    else if (a == "--reading") readingMode = ExportToolFromUtf8(Value(i, argc, argv));
    else if (a == "--timer") timer = std::stoi(Value(i, argc, argv));
    else if (a == "--set" || a == "--check") {
      const std::string v = ExportToolFromUtf8(Value(i, argc, argv));
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw std::runtime_error("expected NAME=VALUE: " + v);
      if (a == "--set") overrides.text[v.substr(0, eq)] = v.substr(eq + 1);
      else overrides.checked[v.substr(0, eq)] = v.substr(eq + 1) == "1";
    } else throw std::runtime_error("unknown argument " + a);
  }
  if (mode != "select" && mode != "dragdrop") throw std::runtime_error("unknown mode " + mode);
  if (out.empty()) throw std::runtime_error("--out is required");
  if (templates.empty()) templates = tavrel::programFolder() + "source/";
  if (templates.back() != '/') templates += '/';

  pairo::MatchExportInput in;
  in.fileName = out;
  in.defaultRight = pairo::kInitialDefaultRight;
  in.config = configdoc::Defaults(configdoc::Program::Pairo);
  if (!configFile.empty() &&
      configdoc::LoadConfigFromFile(configdoc::Program::Pairo, configFile, in.config) ==
          configdoc::LoadResult::Missing)
    throw std::runtime_error("no configuration file " + configFile);
  for (const auto& [k, v] : overrides.text) in.config.text[k] = v;
  for (const auto& [k, v] : overrides.checked) in.config.checked[k] = v;

  TQList pairs;
  std::string readingXML;
  if (pryFile.empty()) {
    BuildDemoMatching(pairs, in.title);
  } else {
    std::string text;
    if (!LoadTextFile(pryFile, text)) throw std::runtime_error("cannot read " + pryFile);
    if (!pairo::IsMatchDocument(text)) throw std::runtime_error("not a matching file " + pryFile);
    const pairo::MatchXMLParts parts =
        pairo::ReadMatchXML(text, "", in.config.Text("editNextExURL"));
    in.title = parts.title;
    in.config.text["editNextExURL"] = parts.nextExURL;
    readingXML = parts.reading;
    const pairo::ItemsRead items = pairo::ReadMatchItems(parts.items, 1, pairs);
    if (items.hasDefault) in.defaultRight = items.defaultRight;
    for (const auto& [k, v] : overrides.text) in.config.text[k] = v;
  }

  // The reading, as the reading dialog would give it.
  const int version = mode == "dragdrop" ? 4 : 3;
  std::string readingTitle = XMLUnescape(GetValueByPath(readingXML, "reading-title", ""));
  std::string readingText = XMLUnescape(GetValueByPath(readingXML, "reading-text", ""));
  std::string readingPath = XMLUnescape(GetValueByPath(readingXML, "path-to-reading", ""));
  bool internal = GetBoolByPath(readingXML, "internal-reading", true);
  in.reading.include = GetBoolByPath(readingXML, "include-reading", false);
  in.reading.timer = GetBoolByPath(readingXML, "include-timer", false);
  in.reading.minutes = GetIntByPath(readingXML, "time-limit", 1);
  if (readingMode == "none") {
    in.reading.include = false;
  } else if (readingMode == "typed") {
    in.reading.include = true;
    internal = true;
    if (readingTitle.empty()) readingTitle = ExportToolFromUtf8("Capitals of Europe");
    if (readingText.empty())
      readingText = ExportToolFromUtf8(
          "Paris is the capital of France, Berlin of Germany.\r\nWarszawa is the capital of "
          "Poland, Reykjav\xC3\xADk of Iceland.\r\nVienna lies on the Danube.");
  } else if (!readingMode.empty()) {
    in.reading.include = true;
    internal = false;
    readingPath = readingMode;
  }
  if (timer >= 0) {
    in.reading.timer = timer > 0;
    if (timer > 0) in.reading.minutes = timer;
  }
  if (in.reading.minutes < 1) in.reading.minutes = 1;
  if (in.reading.include) {
    if (internal) {
      std::string tpl;
      if (!LoadTextFile(FindFileNoCase(templates, "tavrelr.ht_"), tpl))
        throw std::runtime_error("no reading template in " + templates);
      ReadingPageInput r{readingTitle, readingText, in.config.Text("editGraphicURL"),
                         in.config.Text("editPageBGColor"), in.config.Text("editTitleColor"),
                         in.config.Text("editTextColor"), in.config.Text("editExBGColor")};
      in.reading.output = BuildReadingPage(tpl, version, r);
    } else if (FileExists(readingPath)) {
      LoadTextFile(readingPath, in.reading.output);
    } else if (IsWebAddress(readingPath)) {
      in.reading.output = Trim(readingPath);
    }
  }

  auto readTemplate = [&templates](TemplateSource& t) {
    std::string text;
    if (LoadTextFile(FindFileNoCase(templates, t.fileName), text)) t.disk = text;
  };
  readTemplate(in.frameset);
  readTemplate(in.code);
  readTemplate(in.dhtml);

  const pairo::MatchExport made = mode == "dragdrop" ? pairo::BuildDragDropExport(pairs, in)
                                                     : pairo::BuildSelectListExport(pairs, in);
  if (made.refusal) {
    std::cerr << "refused: " << made.refusal->text << "\n";
    return 3;
  }
  const ExportOutcome outcome = RunExportPlan(made.plan, nullptr);
  for (const std::string& p : outcome.written) std::cout << NativePath(p) << "\n";
  return outcome.reported ? 0 : 1;
}
