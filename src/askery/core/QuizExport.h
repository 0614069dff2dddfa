// The quiz's web pages: the frames export (root frameset, welcome page, code
// page, reading page) and the single-page export (one exercise page, or with
// a reading a frameset, the exercise page and the reading page).  The
// builders take the question list and plain data gathered by the main window
// and return the plan of the export (ExportPlan, shared/core/WebExport.h): the
// messages and page writes in order, then the final report.  They change the
// question list as the export does: empty questions and trailing empty
// answers are removed.  Pure: Windows-1252 text, no Qt.
#pragma once

#include <string>
#include <vector>

#include "shared/core/ConfigValues.h"
#include "shared/core/WebExport.h"

class TQList;

namespace askery {

struct QuizExportInput {
  std::string fileName;  // the root page as chosen (full path)
  std::string title;     // the quiz title as typed
  ConfigValues config;   // the configuration window's boxes
  ExportReading reading;
  TemplateSource frameset{"askery.ht_", std::nullopt, {}};
  TemplateSource welcome{"askeryw.ht_", std::nullopt, {}};
  TemplateSource code{"askeryc.ht_", std::nullopt, {}};
  TemplateSource dhtml{"daskery.ht_", std::nullopt, {}};
};

// The frames export: reading page, root page, welcome page, code page.
ExportPlan BuildFramesExport(TQList& questions, const QuizExportInput& in);

// The single-page export: the exercise page alone, or with a reading the
// reading page, the exercise page and the frameset.
ExportPlan BuildSinglePageExport(TQList& questions, const QuizExportInput& in);

// The exercise page of the single-page export.  readingFileName is the
// reading page's full path, the reading's web address, or empty without a
// reading.  A template warning is added to plan's steps.
std::string MakeDHTMLPage(TQList& questions, const QuizExportInput& in,
                          const std::string& readingFileName, ExportPlan& plan);

}  // namespace askery
