// The reading attached to a quiz or matching exercise, as plain data: the
// one writer and the one reader of the data file's `reading` element, and
// the reading's output for an export (the reading page, an external file's
// text, or a web address) with the warnings met on the way.  Pure:
// Windows-1252 text, no Qt.
#pragma once

#include <string>
#include <vector>

#include "shared/core/ConfigValues.h"
#include "shared/core/WebExport.h"

inline constexpr int kReadingMinMinutes = 1;
inline constexpr int kReadingMaxMinutes = 500;

struct ReadingData {
  bool include = false;   // the reading goes with the exercise
  bool timer = false;     // a countdown limits the reading
  int minutes = 1;        // the countdown, kReadingMinMinutes..kReadingMaxMinutes
  bool internal = true;   // typed in (title and text), else an external path
  std::string path;       // external file or web address
  std::string title;      // as typed (HTML allowed)
  std::string text;       // as typed (HTML allowed), CR LF line breaks

  bool operator==(const ReadingData&) const = default;
};

// The `reading` element, from "<reading>" to "</reading>", one child per
// line, texts XML-escaped.
std::string ReadingElement(const ReadingData& reading);

// The reading in a `reading` element (or its content).  Missing children
// take the values of an empty reading; the minutes are held to their range.
ReadingData ReadReadingElement(const std::string& xml);

// The reading's output for an export of the given browser version (3: the
// frames export, 4: the single-page export).  A typed reading fills the
// reading template (readingTemplate: its text, its fallbacks and where it
// was looked for) with the colours and background picture of config; an
// external path gives the file's text, or the address itself for a web
// address.  The warnings belong among the export's messages, in order.
struct ReadingOutput {
  std::string output;
  std::vector<ExportMessage> messages;
  bool failed = false;  // the reading template was empty after every fallback
};
ReadingOutput BuildReadingOutput(const ReadingData& reading, int browserVersion,
                                 const TemplateSource& readingTemplate,
                                 const ConfigValues& config);

// The file name of the reading template.
inline constexpr const char* kReadingTemplateName = "tavrelr.ht_";
