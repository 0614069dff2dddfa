// Exports a quiz as web pages into a folder, for the browser tests: reads a
// quiz data file (or builds the demonstration quiz), a configuration file
// and the templates, applies the settings given on the command line, and
// runs the frames or single-page export through the page builders.
//
//   tavrel_export_tool --mode frames|single --out FOLDER/NAME.htm
//       [--quiz FILE.aky | --demo] [--config FILE.cfg] [--templates FOLDER/]
//       [--set CONTROL=TEXT]... [--check CONTROL=0|1]...
//       [--reading none|typed|URL] [--timer MINUTES] [--yes]
//
// A quiz file may be of either format.  Paths and texts on the command
// line are UTF-8.  Messages go to standard
// error; the final report is answered No.  With "--kind matching" it exports
// a matching exercise instead (export_match.cpp).
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

#include "askery/core/QuizExport.h"
#include "askery/core/QuizFile.h"
#include "platform/core/Platform.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/TQList.h"
#include "shared/core/XMLRoutines.h"
#include "tool_support.h"

using namespace askery;

namespace {

// The demonstration quiz: plain answers, several accepted answers, accented
// letters, the euro sign, apostrophes and text that looks like markup.
void BuildDemoQuiz(TQList& q, std::string& title) {
  title = FromUtf8("Demo quiz: caf\xC3\xA9s & capitals");
  auto add = [&q](const std::string& text, std::initializer_list<const char*> answers) {
    const int n = q.AddQuestion();
    q.SetQuestionText(n, FromUtf8(text));
    int a = 0;
    for (const char* s : answers) q.SetAnswer(n, ++a, FromUtf8(s), "", 1);
  };
  add("What is the capital of France?", {"Paris"});
  add("Name a primary colour.", {"red", "blue", "yellow"});
  add("Which city is called the Big Apple?", {"New York", "New York City"});
  add("How do you say <i>coffee</i> in French?", {"caf\xC3\xA9"});
  add("Two coffees at 2.50 \xE2\x82\xAC each cost how much? (Write the amount and the euro sign.)",
      {"5 \xE2\x82\xAC"});
  add("Complete the saying: \xE2\x80\x9CIt\xE2\x80\x99s a dog\xE2\x80\x99s ...\xE2\x80\x9D", {"life"});
  add("Type the closing tag of a script element.", {"</script>"});
}

}  // namespace

// crossword_tool.cpp: "--kind crossword" exports a crossword instead.
int RunCrosswordTool(int argc, char** argv);
int RunMatchingExport(int argc, char** argv);

int main(int argc, char** argv) {
  ConsolePlatform console;
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--yes") console.answerYes = true;
  tavrel::setPlatform(&console);
  try {
    if (argc > 2 && std::string(argv[1]) == "--kind" && std::string(argv[2]) == "crossword")
      return RunCrosswordTool(argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
      if (std::string(argv[i]) == "--kind" && std::string(argv[i + 1]) == "matching")
        return RunMatchingExport(argc, argv);
    std::string quizFile;
    std::string readingMode;  // "" = as the quiz file says
    int timer = -1;
    const ToolArgs args =
        ReadToolArgs(argc, argv, [&](const std::string& a, const NextValue& value) {
          if (a == "--quiz") quizFile = value();
          else if (a == "--demo") quizFile.clear();
          else if (a == "--reading") readingMode = value();
          else if (a == "--timer") timer = std::stoi(value());
          else return false;
          return true;
        });
    const std::string& mode = args.mode;

    QuizExportInput in;
    in.fileName = args.out;
    in.config = ToolConfig(configdoc::Program::Askery, args);

    TQList questions;
    std::string readingXML;
    if (quizFile.empty()) {
      BuildDemoQuiz(questions, in.title);
    } else {
      std::string text;
      if (!LoadTextFile(quizFile, text)) throw std::runtime_error("cannot read " + quizFile);
      if (quizfile::IsQuizDocument(text)) {
        const exercisedoc::Parts parts = quizfile::ReadQuizXML(text, "", "");
        in.title = parts.title;
        readingXML = parts.reading;
        quizfile::ReadQuizQuestions(parts.body, 1, questions);
      } else if (!IsOldDataFile(text)) {
        throw std::runtime_error(DamagedFileMessage(quizFile));
      } else {
        // An older line-based quiz, read as the program reads it.
        const quizfile::OldQuiz old =
            quizfile::ReadOldQuiz(TDataFile(quizFile), in.config.Text("editNextExURL"));
        if (old.version < quizfile::kOldMinVersion)
          throw std::runtime_error("This file version is not supported by this version of Askery.");
        in.title = old.title;
        for (int i = 1; i <= static_cast<int>(old.questions.size()); ++i) {
          const quizfile::OldQuestion& q = old.questions[static_cast<size_t>(i - 1)];
          questions.SetQuestionText(i, q.text);
          for (int a = 1; a <= 4; ++a) questions.SetAnswer(i, a, q.answers[static_cast<size_t>(a - 1)], "", 1);
        }
      }
    }

    in.reading = ReadToolReading(
        args, readingXML, readingMode, timer, mode == "single" ? 4 : 3, in.config,
        FromUtf8("A short reading about caf\xC3\xA9s"),
        FromUtf8("Paris has many caf\xC3\xA9s.\r\nA coffee costs about 2.50 \xE2\x82\xAC at the "
                 "counter.\r\nNew York is called the Big Apple."));

    ReadToolTemplates(args, {&in.frameset, &in.welcome, &in.code, &in.dhtml});
    return RunToolPlan(mode == "single" ? BuildSinglePageExport(questions, in)
                                        : BuildFramesExport(questions, in));
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << "\n";
    return 2;
  }
}
