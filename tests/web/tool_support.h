// What every kind of the export tool shares: the console that stands in for
// the dialogs, the reading of the command line's common options, the
// configuration and the templates they name, and the running of the plan.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "platform/core/Platform.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/WebExport.h"

// Messages go to standard error; the final report is answered No, and so
// is a question before writing (a page of unusual size) unless answerYes.
class ConsolePlatform : public tavrel::QuietPlatform {
 public:
  bool answerYes = false;
  tavrel::ModalResult messageDlg(const std::string& text, tavrel::MsgType, unsigned buttons,
                                 int, unsigned = 0) override;
  void showMessage(const std::string& text) override;
};

// Windows-1252 text from the UTF-8 of the command line; letters the code
// page lacks become character references, as the editor keeps them.
std::string FromUtf8(const std::string& s);

// The options every kind takes:
//   --mode frames|single --out FOLDER/NAME.htm (the name as the folder holds it) [--config FILE.cfg]
//   [--templates FOLDER/] [--set CONTROL=TEXT]... [--check CONTROL=0|1]...
//   [--yes] (Yes to a question before writing; main reads it)
struct ToolArgs {
  std::string mode = "frames";
  std::string out;
  std::string configFile;
  std::string templates;  // with its trailing "/"; the program's "source/" when not given
  ConfigValues overrides;
};

// The value that follows an option, as Windows-1252 text.
using NextValue = std::function<std::string()>;

// Reads the command line into a ToolArgs; every other option goes to other,
// which returns false for an option it does not know.  Throws
// std::runtime_error on an unknown option, a missing value or a missing --out.
// mode is defaultMode unless --mode gives one.
ToolArgs ReadToolArgs(int argc, char** argv,
                      const std::function<bool(const std::string& option, const NextValue& value)>& other,
                      const char* defaultMode = "frames");

// The program's default configuration, the configuration file over it, and
// the --set and --check values over both.
ConfigValues ToolConfig(configdoc::Program program, const ToolArgs& args);

// The reading, as the reading dialog would give it for the export's browser
// version: the data file's reading element, with --reading (none, typed or
// an address) and --timer MINUTES (-1: not given) over it; a typed reading
// that has no title or text gets typedTitle and typedText.
ExportReading ReadToolReading(const ToolArgs& args, const std::string& readingXML, const std::string& readingMode,
                              int timer, int version, const ConfigValues& config, const std::string& typedTitle,
                              const std::string& typedText);

// Reads each template from the template folder (any letter case).
void ReadToolTemplates(const ToolArgs& args, std::initializer_list<TemplateSource*> templates);

// Runs the plan, prints the pages written (one a line); 0 when the final
// report was shown, else 1.
int RunToolPlan(const ExportPlan& plan);
