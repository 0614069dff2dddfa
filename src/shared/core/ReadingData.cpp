#include "shared/core/ReadingData.h"

#include <algorithm>

#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"

namespace {
const std::string kCrLf = "\r\n";
}

std::string ReadingElement(const ReadingData& r) {
  std::string s = kCrLf;
  s += MakeBoolElement(r.include, "include-reading") + kCrLf;
  s += MakeBoolElement(r.timer, "include-timer") + kCrLf;
  s += MakeElement(std::to_string(r.minutes), "time-limit") + kCrLf;
  s += MakeBoolElement(r.internal, "internal-reading") + kCrLf;
  s += MakeElement(XMLEscape(r.path), "path-to-reading") + kCrLf;
  s += MakeElement(XMLEscape(r.title), "reading-title") + kCrLf;
  s += MakeElement(XMLEscape(r.text), "reading-text") + kCrLf;
  s += kCrLf;
  return MakeElement(s, "reading");
}

ReadingData ReadReadingElement(const std::string& xml) {
  ReadingData r;
  r.include = GetBoolByPath(xml, "include-reading", false);
  r.timer = GetBoolByPath(xml, "include-timer", false);
  // A missing limit reads as the least one.
  r.minutes = std::clamp(GetIntByPath(xml, "time-limit", kReadingMinMinutes), kReadingMinMinutes,
                         kReadingMaxMinutes);
  r.internal = GetBoolByPath(xml, "internal-reading", true);
  r.path = XMLUnescape(GetValueByPath(xml, "path-to-reading", ""));
  r.title = XMLUnescape(GetValueByPath(xml, "reading-title", ""));
  r.text = XMLUnescape(GetValueByPath(xml, "reading-text", ""));
  return r;
}

ReadingOutput BuildReadingOutput(const ReadingData& reading, int browserVersion,
                                 const TemplateSource& readingTemplate,
                                 const ConfigValues& config) {
  ReadingOutput out;
  if (reading.internal) {
    TemplateSource source = readingTemplate;
    if (source.warning.empty())
      source.warning = "Unable to find reading text source file " + source.fileName +
                       ". Reverting to default.";
    TemplateText t = ResolveTemplate(source);
    out.messages = t.messages;
    if (t.failed) {
      out.failed = true;
      return out;
    }
    ReadingPageInput in;
    in.title = reading.title;
    in.text = reading.text;
    in.graphicURL = config.Text("editGraphicURL");
    in.pageBGColor = config.Text("editPageBGColor");
    in.titleColor = config.Text("editTitleColor");
    in.textColor = config.Text("editTextColor");
    in.exBGColor = config.Text("editExBGColor");
    out.output = BuildReadingPage(t.text, browserVersion, in);
    return out;
  }
  const std::string& path = reading.path;
  if (!path.empty() && FileExists(path)) {
    std::string text;
    if (LoadTextFile(path, text)) out.output = text;
  } else if (IsWebAddress(path)) {
    out.output = Trim(path);
  } else {
    out.messages.push_back(
        {"You have not specified a correct file and path for your reading text file.",
         tavrel::MsgType::Warning, tavrel::mbOK, kHelpReading, false});
  }
  return out;
}
