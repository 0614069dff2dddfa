// TfrmMain's web exports: the handlers gather what the pages are made of
// (file name, configuration, reading, templates), let the page builders of
// QuizExport make the plan, and run it.
#include <QCheckBox>
#include <QSpinBox>

#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "askery/core/QuizExport.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/TQList.h"
#include "shared/core/WebExport.h"

namespace askery {

namespace {

// Stands in for the platform while the reading output is made, so that the
// messages it gives are shown in their place among the export's messages.
// Those messages are notes with an OK button; every other service goes to
// the platform in force.
class MessageCollector : public tavrel::IPlatform {
 public:
  explicit MessageCollector(tavrel::IPlatform& inner) : inner_(inner) {
    tavrel::setPlatform(this);
  }
  ~MessageCollector() override { tavrel::setPlatform(&inner_); }
  MessageCollector(const MessageCollector&) = delete;
  MessageCollector& operator=(const MessageCollector&) = delete;

  std::vector<ExportMessage> messages;

  tavrel::ModalResult messageDlg(const std::string& text, tavrel::MsgType type,
                                 unsigned buttons, int helpContext) override {
    messages.push_back({text, type, buttons, helpContext, false});
    return (buttons & tavrel::mbOK) ? tavrel::ModalResult::OK : tavrel::ModalResult::None;
  }
  void showMessage(const std::string& text) override {
    messages.push_back({text, tavrel::MsgType::Information, tavrel::mbOK, 0, true});
  }
  bool openDialog(tavrel::FileDialogOptions& o) override { return inner_.openDialog(o); }
  bool saveDialog(tavrel::FileDialogOptions& o) override { return inner_.saveDialog(o); }
  bool fontDialog(tavrel::FontSpec& f) override { return inner_.fontDialog(f); }
  bool inputQuery(const std::string& c, const std::string& p, std::string& v) override {
    return inner_.inputQuery(c, p, v);
  }
  std::string clipboardText() override { return inner_.clipboardText(); }
  void setClipboardText(const std::string& t) override { inner_.setClipboardText(t); }
  bool shellOpen(const std::string& t, std::string& e) override { return inner_.shellOpen(t, e); }
  void setHelpFile(const std::string& p) override { inner_.setHelpFile(p); }
  void showHelp(int c) override { inner_.showHelp(c); }
  void showHelpContents() override { inner_.showHelpContents(); }
  void setBusy(bool b) override { inner_.setBusy(b); }

 private:
  tavrel::IPlatform& inner_;
};

TemplateSource ReadTemplate(const std::string& folder, const std::string& fileName,
                            const std::string& storeText) {
  TemplateSource t{fileName, std::nullopt, storeText};
  std::string text;
  if (LoadTextFile(FindFileNoCase(folder, fileName), text)) t.disk = text;
  return t;
}

// Everything but the reading output and the templates.
QuizExportInput GatherBasics(TfrmMain& main, const std::string& fileName) {
  QuizExportInput in;
  in.fileName = fileName;
  in.title = main.mmoTitle ? main.mmoTitle->Text() : std::string();
  if (auto* config = dynamic_cast<TfrmConfig*>(frmConfig)) in.config = config->Values();
  if (frmAddReadingText) {
    in.reading.include = frmAddReadingText->chkIncludeReading->isChecked();
    in.reading.timer = frmAddReadingText->chkTimer->isChecked();
    in.reading.minutes = frmAddReadingText->spinTimer->value();
  }
  return in;
}

void ReadReadingOutput(QuizExportInput& in, int browserVersion) {
  if (!in.reading.include || !frmAddReadingText) return;
  MessageCollector collector(tavrel::platform());
  frmAddReadingText->GetReadingOutput(browserVersion, in.reading.output);
  in.reading.outputMessages = collector.messages;
}

void ReadTemplates(const TfrmMain& main, QuizExportInput& in) {
  const TfrmSourceFiles* store = frmSourceFiles;
  in.frameset = ReadTemplate(main.FSourcePath, "askery.ht_", store ? store->FFramesetText : "");
  in.welcome = ReadTemplate(main.FSourcePath, "askeryw.ht_", store ? store->FWelcomeText : "");
  in.code = ReadTemplate(main.FSourcePath, "askeryc.ht_", store ? store->FCodeText : "");
  in.dhtml = ReadTemplate(main.FSourcePath, "daskery.ht_", store ? store->FDHTMLText : "");
}

// Runs the messages of a plan that has no pages to write.
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

}  // namespace

void TfrmMain::spdToWebClick() {
  if (!tavrel::platform().saveDialog(dlgSaveWeb)) return;
  const std::string fileName = dlgSaveWeb.fileName;
  tavrel::BusyCursor busy;
  StashQuestion();
  if (NameHasBlank(ExtractFileName(fileName)) && !AskContinueWithBlank()) return;

  QuizExportInput in = GatherBasics(*this, fileName);
  ReadReadingOutput(in, 3);
  ReadTemplates(*this, in);
  const int count = FQuestions->Count();
  const ExportPlan plan = BuildFramesExport(*FQuestions, in);
  // Empty questions went: the editor's number may now belong to another one.
  if (FQuestions->Count() != count) ShowCurrentAfterListChange();
  RunExportPlan(plan, &busy);
}

void TfrmMain::mnuToDHTMLClick() { ExportToDHTML(); }

void TfrmMain::ExportToDHTML() {
  if (!tavrel::platform().saveDialog(dlgSaveWeb)) return;
  const std::string fileName = dlgSaveWeb.fileName;
  StashQuestion();
  tavrel::BusyCursor busy;
  if (NameHasBlank(ExtractFileName(fileName)) && !AskContinueWithBlank()) return;

  QuizExportInput in = GatherBasics(*this, fileName);
  ReadReadingOutput(in, 4);
  ReadTemplates(*this, in);
  const int count = FQuestions->Count();
  const ExportPlan plan = BuildSinglePageExport(*FQuestions, in);
  // Empty questions went: the editor's number may now belong to another one.
  if (FQuestions->Count() != count) ShowCurrentAfterListChange();
  RunExportPlan(plan, &busy);
}

void TfrmMain::MakeDHTMLCodePage(const std::string& readingFileName, std::string& page) {
  page.clear();
  QuizExportInput in = GatherBasics(*this, std::string());
  ReadTemplates(*this, in);
  ExportPlan plan;
  const int count = FQuestions->Count();
  page = MakeDHTMLPage(*FQuestions, in, readingFileName, plan);
  ShowPlanMessages(plan);
  if (FQuestions->Count() != count) ShowCurrentAfterListChange();
}

}  // namespace askery
