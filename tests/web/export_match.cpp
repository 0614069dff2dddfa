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
// A .pry file may be of either format.  A refused export prints its message
// and ends with status 3.
#include <iostream>
#include <stdexcept>
#include <string>

#include "pairo/core/MatchExport.h"
#include "pairo/core/MatchFile.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/TQList.h"
#include "tool_support.h"

namespace {

// The demonstration exercise: accented letters, letters kept as character
// references, markup in a left item, a fixed pair and a distractor.
void BuildDemoMatching(TQList& pairs, std::string& title) {
  title = FromUtf8("Demo matching: capitals & caf\xC3\xA9s");
  auto add = [&pairs](const char* left, const char* right, bool fixed) {
    const int n = pairs.AddQuestion();
    pairs.SetQuestionText(n, FromUtf8(left));
    pairs.SetQuestionExtra(n, FromUtf8(right));
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

}  // namespace

int RunMatchingExport(int argc, char** argv) {
  std::string pryFile;
  std::string readingMode;
  int timer = -1;
  const ToolArgs args = ReadToolArgs(
      argc, argv,
      [&](const std::string& a, const NextValue& value) {
        if (a == "--kind") value();
        else if (a == "--pry") pryFile = value();
        else if (a == "--demo") pryFile.clear();
        else if (a == "--reading") readingMode = value();
        else if (a == "--timer") timer = std::stoi(value());
        else return false;
        return true;
      },
      "select");
  const std::string& mode = args.mode;
  if (mode != "select" && mode != "dragdrop") throw std::runtime_error("unknown mode " + mode);

  pairo::MatchExportInput in;
  in.fileName = args.out;
  in.defaultRight = pairo::kInitialDefaultRight;
  in.config = ToolConfig(configdoc::Program::Pairo, args);

  TQList pairs;
  std::string readingXML;
  if (pryFile.empty()) {
    BuildDemoMatching(pairs, in.title);
  } else {
    std::string text;
    if (!LoadTextFile(pryFile, text)) throw std::runtime_error("cannot read " + pryFile);
    if (pairo::IsMatchDocument(text)) {
      const exercisedoc::Parts parts =
          pairo::ReadMatchXML(text, "", in.config.Text("editNextExURL"));
      in.title = parts.title;
      in.config.text["editNextExURL"] = parts.nextExURL;
      readingXML = parts.reading;
      const pairo::ItemsRead items = pairo::ReadMatchItems(parts.body, 1, pairs);
      if (items.hasDefault) in.defaultRight = items.defaultRight;
    } else if (!IsOldDataFile(text)) {
      throw std::runtime_error(DamagedFileMessage(pryFile));
    } else {
      // An older line-based exercise, read as the program reads it.
      const pairo::OldMatch old = pairo::ReadOldMatch(TDataFile(pryFile), in.config.Text("editNextExURL"));
      if (old.version < pairo::kOldMinVersion)
        throw std::runtime_error("This file version is not supported by this version of Pairo.");
      in.title = old.title;
      in.config.text["editNextExURL"] = old.nextExURL;
      in.defaultRight = old.defaultRight;
      pairo::PutOldPairs(old, pairs);
    }
    // What the command line sets wins over the file.
    for (const auto& [k, v] : args.overrides.text) in.config.text[k] = v;
  }

  in.reading = ReadToolReading(
      args, readingXML, readingMode, timer, mode == "dragdrop" ? 4 : 3, in.config,
      FromUtf8("Capitals of Europe"),
      FromUtf8("Paris is the capital of France, Berlin of Germany.\r\nWarszawa is the capital of "
               "Poland, Reykjav\xC3\xADk of Iceland.\r\nVienna lies on the Danube."));

  ReadToolTemplates(args, {&in.frameset, &in.code, &in.dhtml});
  const pairo::MatchExport made = mode == "dragdrop" ? pairo::BuildDragDropExport(pairs, in)
                                                     : pairo::BuildSelectListExport(pairs, in);
  if (made.refusal) {
    std::cerr << "refused: " << made.refusal->text << "\n";
    return 3;
  }
  return RunToolPlan(made.plan);
}
