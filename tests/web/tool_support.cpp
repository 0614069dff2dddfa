#include "tool_support.h"

#include <iostream>
#include <stdexcept>

#include "platform/core/TextCodec.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

tavrel::ModalResult ConsolePlatform::messageDlg(const std::string& text, tavrel::MsgType type,
                                                unsigned buttons, int, unsigned) {
  std::cerr << "message: " << text << "\n";
  if (answerYes && type != tavrel::MsgType::Information && (buttons & tavrel::mbYes))
    return tavrel::ModalResult::Yes;
  if (buttons & tavrel::mbNo) return tavrel::ModalResult::No;
  return tavrel::ModalResult::OK;
}

void ConsolePlatform::showMessage(const std::string& text) {
  std::cerr << "message: " << text << "\n";
}

std::string FromUtf8(const std::string& s) { return tavrel::Utf8ToWin1252(s); }

ToolArgs ReadToolArgs(int argc, char** argv,
                      const std::function<bool(const std::string& option, const NextValue& value)>& other,
                      const char* defaultMode) {
  ToolArgs args;
  args.mode = defaultMode;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const NextValue value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error("missing value after " + a);
      return FromUtf8(argv[++i]);
    };
    if (a == "--mode") args.mode = value();
    else if (a == "--out") {
      // A file name as the folder holds it: held as the programs hold a path
      // from their dialogs ("&#" in the name as "&#38;#").
      if (i + 1 >= argc) throw std::runtime_error("missing value after " + a);
      args.out = tavrel::Utf8PathToWin1252(argv[++i]);
    }
    else if (a == "--config") args.configFile = value();
    else if (a == "--templates") args.templates = value();
    else if (a == "--yes") continue;
    else if (a == "--set" || a == "--check") {
      const std::string v = value();
      const auto eq = v.find('=');
      if (eq == std::string::npos) throw std::runtime_error("expected NAME=VALUE: " + v);
      if (a == "--set") args.overrides.text[v.substr(0, eq)] = v.substr(eq + 1);
      else args.overrides.checked[v.substr(0, eq)] = v.substr(eq + 1) == "1";
    } else if (!other(a, value)) throw std::runtime_error("unknown argument " + a);
  }
  if (args.out.empty()) throw std::runtime_error("--out is required");
  if (args.templates.empty()) args.templates = tavrel::programFolder() + "source/";
  if (args.templates.back() != '/') args.templates += '/';
  return args;
}

ConfigValues ToolConfig(configdoc::Program program, const ToolArgs& args) {
  ConfigValues config = configdoc::Defaults(program);
  if (!args.configFile.empty() &&
      configdoc::LoadConfigFromFile(program, args.configFile, config) ==
          configdoc::LoadResult::Missing)
    throw std::runtime_error("no configuration file " + args.configFile);
  for (const auto& [k, v] : args.overrides.text) config.text[k] = v;
  for (const auto& [k, v] : args.overrides.checked) config.checked[k] = v;
  return config;
}

ExportReading ReadToolReading(const ToolArgs& args, const std::string& readingXML, const std::string& readingMode,
                              int timer, int version, const ConfigValues& config, const std::string& typedTitle,
                              const std::string& typedText) {
  ExportReading reading;
  std::string readingTitle = XMLUnescape(GetValueByPath(readingXML, "reading-title", ""));
  std::string readingText = XMLUnescape(GetValueByPath(readingXML, "reading-text", ""));
  std::string readingPath = XMLUnescape(GetValueByPath(readingXML, "path-to-reading", ""));
  bool internal = GetBoolByPath(readingXML, "internal-reading", true);
  reading.include = GetBoolByPath(readingXML, "include-reading", false);
  reading.timer = GetBoolByPath(readingXML, "include-timer", false);
  reading.minutes = GetIntByPath(readingXML, "time-limit", 1);
  if (readingMode == "none") {
    reading.include = false;
  } else if (readingMode == "typed") {
    reading.include = true;
    internal = true;
    if (readingTitle.empty()) readingTitle = typedTitle;
    if (readingText.empty()) readingText = typedText;
  } else if (!readingMode.empty()) {
    reading.include = true;
    internal = false;
    readingPath = readingMode;
  }
  if (timer >= 0) {
    reading.timer = timer > 0;
    if (timer > 0) reading.minutes = timer;
  }
  if (reading.minutes < 1) reading.minutes = 1;
  if (!reading.include) return reading;
  if (internal) {
    std::string tpl;
    if (!LoadTextFile(FindFileNoCase(args.templates, "tavrelr.ht_"), tpl))
      throw std::runtime_error("no reading template in " + args.templates);
    ReadingPageInput r{readingTitle,
                       readingText,
                       config.Text("editGraphicURL"),
                       config.Text("editPageBGColor"),
                       config.Text("editTitleColor"),
                       config.Text("editTextColor"),
                       config.Text("editExBGColor")};
    reading.output = BuildReadingPage(tpl, version, r);
  } else if (FileExists(readingPath)) {
    LoadTextFile(readingPath, reading.output);
  } else if (IsWebAddress(readingPath)) {
    reading.output = Trim(readingPath);
  }
  return reading;
}

void ReadToolTemplates(const ToolArgs& args, std::initializer_list<TemplateSource*> templates) {
  for (TemplateSource* t : templates) {
    std::string text;
    if (LoadTextFile(FindFileNoCase(args.templates, t->fileName), text)) t->disk = text;
  }
}

int RunToolPlan(const ExportPlan& plan) {
  const ExportOutcome outcome = RunExportPlan(plan, nullptr);
  for (const std::string& p : outcome.written) std::cout << NativePath(p) << "\n";
  return outcome.reported ? 0 : 1;
}
