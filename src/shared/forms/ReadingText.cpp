#include "shared/forms/ReadingText.h"

#include "shared/core/SuppliedTemplates.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <utility>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "shared/forms/PictureLibrary.h"
#include "platform/core/Platform.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/forms/EditFunctions.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/MainFormBase.h"
#include "shared/core/ReadingPage.h"
#include "shared/forms/SourceEdit.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/XMLRoutines.h"


using tavrel::platform;

TfrmAddReadingText* frmAddReadingText = nullptr;

namespace {

constexpr int kHelpContext = kHelpReading;
constexpr int kMinTime = kReadingMinMinutes;
constexpr int kMaxTime = kReadingMaxMinutes;
const char* const kCrLf = "\r\n";

// Client area of the dialog: tells the form when it is resized, so that the
// form can lay out its memos and buttons by its own rules.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(QWidget* parent) : QWidget(parent) {}
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    if (onResize) onResize();
  }
};

std::string ConfigText(const char* name) {
  return frmConfig ? frmConfig->ControlText(name) : std::string();
}

}  // namespace

// --- Construction -------------------------------------------------------------

TfrmAddReadingText::TfrmAddReadingText(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAddReadingText");
  setWindowTitle("Add Reading Text");
  setModal(false);
  setSizeGripEnabled(true);

  BuildControls();
  BuildMenus();

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->setMenuBar(mnuMain);
  outer->addWidget(pnlClient, 1);

  setMinimumSize(600, 420);
  resize(640, 520);
  InstallKeyPreview();

  frmAddReadingText = this;
}

TfrmAddReadingText::~TfrmAddReadingText() {
  if (frmAddReadingText == this) frmAddReadingText = nullptr;
}

void TfrmAddReadingText::BuildControls() {
  auto* client = new ClientArea(this);
  client->setObjectName("pnlClient");
  client->onResize = [this] { FormResize(); };
  pnlClient = client;

  chkIncludeReading = new QCheckBox("Include a reading text", client);
  chkIncludeReading->setObjectName("chkIncludeReading");
  chkIncludeReading->setGeometry(12, 10, 240, 24);

  chkTimer = new QCheckBox("Include a timer", client);
  chkTimer->setObjectName("chkTimer");
  chkTimer->setGeometry(12, 40, 240, 24);
  chkTimer->setEnabled(false);

  lblTimer = new QLabel("Time limit (minutes):", client);
  lblTimer->setObjectName("lblTimer");
  lblTimer->setGeometry(32, 72, 150, 24);
  lblTimer->setEnabled(false);

  spinTimer = new QSpinBox(client);
  spinTimer->setObjectName("spinTimer");
  spinTimer->setRange(kMinTime, kMaxTime);
  spinTimer->setValue(kMinTime);
  spinTimer->setGeometry(184, 70, 72, 28);
  spinTimer->setEnabled(false);
  // Changed by its arrows only, never typed into.
  if (auto* box = spinTimer->findChild<QLineEdit*>()) box->setReadOnly(true);
  lblTimer->setBuddy(spinTimer);

  gbSource = new QGroupBox("Source", client);
  gbSource->setObjectName("gbSource");
  gbSource->setGeometry(272, 4, 356, 104);
  rbInternal = new QRadioButton("From text entered below", gbSource);
  rbInternal->setObjectName("rbInternal");
  rbInternal->setGeometry(10, 22, 300, 22);
  rbInternal->setChecked(true);
  rbInternal->setEnabled(false);
  rbExternal = new QRadioButton("External file", gbSource);
  rbExternal->setObjectName("rbExternal");
  rbExternal->setGeometry(10, 46, 300, 22);
  rbExternal->setEnabled(false);
  editReadingPath = new tavrel::TEdit(gbSource, "editReadingPath");
  editReadingPath->setGeometry(28, 72, 226, 26);
  editReadingPath->setEnabled(false);
  btnBrowse = new QPushButton("&Browse...", gbSource);
  btnBrowse->setObjectName("btnBrowse");
  btnBrowse->setGeometry(260, 71, 88, 28);
  btnBrowse->setEnabled(false);
  btnBrowse->setAutoDefault(false);

  pnlTitle = new QFrame(client);
  pnlTitle->setObjectName("pnlTitle");
  pnlTitle->setGeometry(0, 114, 640, 40);
  pnlTitle->setEnabled(false);
  auto* lblTitle = new QLabel("Title:", pnlTitle);
  lblTitle->setObjectName("lblTitle");
  lblTitle->setGeometry(12, 8, 60, 24);
  mmoReadingTitle = new tavrel::TMemo(pnlTitle, "mmoReadingTitle");
  mmoReadingTitle->SetWantReturns(false);
  mmoReadingTitle->SetCentered(true);
  mmoReadingTitle->setGeometry(140, 5, 360, 30);
  mmoReadingTitle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mmoReadingTitle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mmoReadingTitle->setEnabled(false);
  lblTitle->setBuddy(mmoReadingTitle);

  mmoReadingText = new tavrel::TMemo(client, "mmoReadingText");
  mmoReadingText->SetWantTabs(true);
  mmoReadingText->setGeometry(0, 158, 640, 300);
  mmoReadingText->setEnabled(false);

  btnOK = new QPushButton("&OK", client);
  btnOK->setObjectName("btnOK");
  btnDeleteText = new QPushButton("&Delete text", client);
  btnDeleteText->setObjectName("btnDeleteText");
  btnCancel = new QPushButton("&Cancel", client);
  btnCancel->setObjectName("btnCancel");
  btnHelp = new QPushButton("&Help", client);
  btnHelp->setObjectName("btnHelp");
  for (QPushButton* b : {btnOK, btnDeleteText, btnCancel, btnHelp}) {
    b->resize(105, 30);
    b->setAutoDefault(false);
  }
  btnCancel->setDefault(true);

  // Tab order: options, source, title, text, buttons.
  setTabOrder(chkIncludeReading, chkTimer);
  setTabOrder(chkTimer, spinTimer);
  setTabOrder(spinTimer, rbInternal);
  setTabOrder(rbInternal, rbExternal);
  setTabOrder(rbExternal, editReadingPath);
  setTabOrder(editReadingPath, btnBrowse);
  setTabOrder(btnBrowse, mmoReadingTitle);
  setTabOrder(mmoReadingTitle, mmoReadingText);
  setTabOrder(mmoReadingText, btnOK);
  setTabOrder(btnOK, btnDeleteText);
  setTabOrder(btnDeleteText, btnCancel);
  setTabOrder(btnCancel, btnHelp);

  // Enabled states follow every change of state, the program's own included.
  connect(chkIncludeReading, &QCheckBox::toggled, this, [this] { chkIncludeReadingClick(); });
  connect(chkTimer, &QCheckBox::toggled, this, [this] { chkTimerClick(); });
  connect(rbInternal, &QRadioButton::toggled, this, [this] { rbSourceClick(); });
  connect(rbExternal, &QRadioButton::toggled, this, [this] { rbSourceClick(); });

  // The options belong to the exercise: changing them marks it modified.
  connect(chkIncludeReading, &QCheckBox::toggled, this, [this] { MarkExerciseChanged(); });
  connect(chkTimer, &QCheckBox::toggled, this, [this] { MarkExerciseChanged(); });
  connect(rbInternal, &QRadioButton::toggled, this, [this] { MarkExerciseChanged(); });
  connect(spinTimer, &QSpinBox::valueChanged, this, [this] { MarkExerciseChanged(); });
  editReadingPath->OnChange = [this] { MarkExerciseChanged(); };

  mmoReadingTitle->OnChange = [this] {
    if (!FLoading) FTextChanged = true;
  };
  mmoReadingText->OnChange = [this] {
    if (!FLoading) FTextChanged = true;
  };

  TMainFormBase::ConnectCommand(btnBrowse, [this] { btnBrowseClick(); });
  TMainFormBase::ConnectCommand(btnOK, [this] { btnOKClick(); });
  TMainFormBase::ConnectCommand(btnCancel, [this] { btnCancelClick(); });
  TMainFormBase::ConnectCommand(btnDeleteText, [this] { btnDeleteTextClick(); });
  TMainFormBase::ConnectCommand(btnHelp, [this] { btnHelpClick(); });
}

void TfrmAddReadingText::BuildMenus() {
  mnuMain = new QMenuBar(this);
  mnuMain->setObjectName("mnuMain");

  mnuEdit = mnuMain->addMenu("&Edit");
  mnuEdit->setObjectName("mnuEdit");
  mnuUndo = mnuEdit->addAction("&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuEdit->addSeparator();
  mnuCut = mnuEdit->addAction("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
  mnuCopy = mnuEdit->addAction("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuPaste = mnuEdit->addAction("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuDelete = mnuEdit->addAction("&Delete", QKeySequence(Qt::CTRL | Qt::Key_Delete));
  mnuEdit->addSeparator();
  mnuSelectAll = mnuEdit->addAction("Se&lect All", QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditPopup(); });
  TMainFormBase::ConnectCommand(mnuUndo, [this] { mnuUndoClick(); });
  TMainFormBase::ConnectCommand(mnuCut, [this] { mnuCutClick(); });
  TMainFormBase::ConnectCommand(mnuCopy, [this] { mnuCopyClick(); });
  TMainFormBase::ConnectCommand(mnuPaste, [this] { mnuPasteClick(); });
  TMainFormBase::ConnectCommand(mnuDelete, [this] { mnuDeleteClick(); });
  TMainFormBase::ConnectCommand(mnuSelectAll, [this] { mnuSelectAllClick(); });
  // The memos handle these keys themselves while they have the focus.
  for (QAction* a : {mnuUndo, mnuCut, mnuCopy, mnuPaste, mnuDelete, mnuSelectAll})
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);

  mnuFont = mnuMain->addAction("&Font...");
  TMainFormBase::ConnectCommand(mnuFont, [this] { mnuFontClick(); });

  mnuInsert = mnuMain->addMenu("&Insert");
  mnuInsert->setObjectName("mnuInsert");
  mnuPicture = mnuInsert->addMenu("&Picture");
  mnuPicFromURL = mnuPicture->addAction("From &Web URL");
  mnuPicFromFile = mnuPicture->addAction("From Local &File");
  mnuLink = mnuInsert->addMenu("&Link");
  mnuLinkToURL = mnuLink->addAction("To URL");
  mnuLinkToFile = mnuLink->addAction("To File");
  connect(mnuInsert, &QMenu::aboutToShow, this, [this] { mnuInsertPopup(); });
  TMainFormBase::ConnectCommand(mnuPicFromURL, [this] { mnuPictureClick(false); });
  TMainFormBase::ConnectCommand(mnuPicFromFile, [this] { mnuPictureClick(true); });
  TMainFormBase::ConnectCommand(mnuLinkToURL, [this] { mnuLinkClick(false); });
  TMainFormBase::ConnectCommand(mnuLinkToFile, [this] { mnuLinkClick(true); });
}

// The form sees keys before its controls: exactly Ctrl+Alt goes to the
// markup shortcuts and is consumed.
void TfrmAddReadingText::InstallKeyPreview() {
  pnlClient->installEventFilter(this);
  for (QWidget* w : pnlClient->findChildren<QWidget*>()) w->installEventFilter(this);
}

bool TfrmAddReadingText::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(e);
    if (IsExactlyCtrlAlt(ke)) {
      if (e->type() == QEvent::ShortcutOverride) {
        // Keep the key from any shortcut so that it arrives as a key press.
        e->accept();
        return true;
      }
      HandleMarkupKeyEvent(this, ke);
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

// --- Showing and closing --------------------------------------------------------

void TfrmAddReadingText::ShowReading() {
  show();
  raise();
  activateWindow();
}

void TfrmAddReadingText::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;  // restored from the task bar: not a new showing
  RememberText();
  FTextChanged = false;
  FormResize();
}

void TfrmAddReadingText::Close() { done(QDialog::Accepted); }

void TfrmAddReadingText::reject() { btnCancelClick(); }

void TfrmAddReadingText::RememberText() {
  FOldTitle = mmoReadingTitle->Text();
  FOldText = mmoReadingText->Text();
}

void TfrmAddReadingText::RestoreText() {
  mmoReadingTitle->SetText(FOldTitle);
  mmoReadingText->SetText(FOldText);
}

void TfrmAddReadingText::MarkExerciseChanged() {
  if (FLoading) return;
  if (frmMain) frmMain->FChanged = true;
}

// --- Dialog rules -----------------------------------------------------------------

void TfrmAddReadingText::chkIncludeReadingClick() {
  const bool on = chkIncludeReading->isChecked();
  chkTimer->setEnabled(on);
  rbInternal->setEnabled(on);
  rbExternal->setEnabled(on);
  rbSourceClick();
}

void TfrmAddReadingText::rbSourceClick() {
  const bool external = rbExternal->isChecked();
  const bool internal = rbInternal->isChecked();
  btnBrowse->setEnabled(external);
  editReadingPath->setEnabled(external);
  pnlTitle->setEnabled(internal);
  mmoReadingTitle->setEnabled(internal);
  mmoReadingText->setEnabled(internal);
}

void TfrmAddReadingText::chkTimerClick() {
  const bool on = chkTimer->isChecked();
  lblTimer->setEnabled(on);
  spinTimer->setEnabled(on);
}

void TfrmAddReadingText::btnBrowseClick() {
  tavrel::FileDialogOptions dlg;
  dlg.title = "Reading Text File";
  dlg.filter = "HTML pages (*.htm, *.html)|*.htm;*.html";
  dlg.fileMustExist = true;
  const std::string current = editReadingPath->Text();
  if (!current.empty() && !IsWebAddress(current))
    dlg.initialDir = ExtractFilePath(current);
  else if (frmMain)
    dlg.initialDir = ExtractFilePath(frmMain->FFileName);
  if (platform().openDialog(dlg)) editReadingPath->SetText(dlg.fileName);
}

void TfrmAddReadingText::btnOKClick() {
  if (!FTextChanged) {
    Close();
    return;
  }
  switch (platform().messageDlg(
      "This will replace any previous reading text with this one. Are you sure you want to do "
      "this?",
      tavrel::MsgType::Confirmation, tavrel::mbYesNoCancel | tavrel::mbHelp, kHelpContext)) {
    case tavrel::ModalResult::Yes:
      MarkExerciseChanged();
      Close();
      break;
    case tavrel::ModalResult::No:
      RestoreText();
      Close();
      break;
    default:
      break;  // stays open with the edits
  }
}

void TfrmAddReadingText::btnCancelClick() {
  if (!FTextChanged) {
    Close();
    return;
  }
  switch (platform().messageDlg("The text has changed. Do you want to discard the changes?",
                                tavrel::MsgType::Confirmation,
                                tavrel::mbYesNoCancel | tavrel::mbHelp, kHelpContext)) {
    case tavrel::ModalResult::Yes:
      RestoreText();
      Close();
      break;
    case tavrel::ModalResult::No:
      btnOKClick();
      break;
    default:
      break;
  }
}

void TfrmAddReadingText::btnDeleteTextClick() {
  if (platform().messageDlg(
          "This will delete the reading text completely. Are you sure you want to do this?",
          tavrel::MsgType::Confirmation, tavrel::mbYesNoCancel | tavrel::mbHelp, kHelpContext,
          tavrel::mbNo) != tavrel::ModalResult::Yes)
    return;
  mmoReadingTitle->SetText("");
  mmoReadingText->SetText("");
  MarkExerciseChanged();
}

void TfrmAddReadingText::btnHelpClick() { platform().showHelp(kHelpContext); }

// --- Menus --------------------------------------------------------------------------

tavrel::IEditControl* TfrmAddReadingText::FocusedEdit() {
  return tavrel::AsEditControl(tavrel::FocusedControl(this));
}

tavrel::TMemo* TfrmAddReadingText::FocusedMemo() {
  QWidget* w = tavrel::FocusedControl(this);
  if (w == mmoReadingTitle) return mmoReadingTitle;
  if (w == mmoReadingText) return mmoReadingText;
  return nullptr;
}

void TfrmAddReadingText::mnuEditPopup() {
  tavrel::IEditControl* edit = FocusedEdit();
  const bool selected = edit && edit->HasSelection();
  mnuCut->setEnabled(selected);
  mnuCopy->setEnabled(selected);
  mnuDelete->setEnabled(selected);
  if (edit) mnuSelectAll->setEnabled(!edit->Text().empty());
}

void TfrmAddReadingText::mnuInsertPopup() {
  const bool memo = FocusedMemo() != nullptr;
  mnuPicture->menuAction()->setEnabled(memo);
  mnuLink->menuAction()->setEnabled(memo);
}

void TfrmAddReadingText::mnuUndoClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->Undo();
}

void TfrmAddReadingText::mnuCutClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->CutToClipboard();
}

void TfrmAddReadingText::mnuCopyClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->CopyToClipboard();
}

void TfrmAddReadingText::mnuPasteClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->PasteFromClipboard();
}

void TfrmAddReadingText::mnuDeleteClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->ClearSelection();
}

void TfrmAddReadingText::mnuSelectAllClick() {
  if (tavrel::TMemo* m = FocusedMemo()) m->SelectAll();
}

void TfrmAddReadingText::mnuFontClick() {
  tavrel::FontSpec chosen =
      tavrel::SpecFromFont(mmoReadingText->font(), mmoReadingText->palette().color(QPalette::Text));
  if (!platform().fontDialog(chosen)) return;

  mmoReadingText->setFont(tavrel::FontFromSpec(chosen, mmoReadingText->font()));
  QPalette pal = mmoReadingText->palette();
  pal.setColor(QPalette::Text, tavrel::ColourFromBGR(chosen.color));
  mmoReadingText->setPalette(pal);

  QFont title = mmoReadingTitle->font();
  title.setFamily(tavrel::toQString(chosen.name));
  mmoReadingTitle->setFont(title);
}

void TfrmAddReadingText::mnuLinkClick(bool toFile) {
  tavrel::TMemo* memo = FocusedMemo();
  if (!memo || !frmInsertLink) return;
  std::string html;
  frmInsertLink->ShowMe(toFile, frmMain ? frmMain->FFileName : std::string(), html,
                        memo->SelText());
  // A refused or cancelled link gives nothing, and the selected text stays.
  if (!html.empty()) memo->SetSelText(html);
  memo->setFocus();
}

void TfrmAddReadingText::mnuPictureClick(bool fromFile) {
  tavrel::TMemo* memo = FocusedMemo();
  if (!memo) return;
  const std::string dataFile = frmMain ? frmMain->FFileName : std::string();
  std::string tag;
  if (fromFile)
    tavrel::GetPicInfo(true, dataFile, tag);
  else
    tavrel::GetWebPicTag(tag);
  if (!tag.empty()) memo->SetSelText(tag);
  if (frmMain) frmMain->dlgSaveWeb.initialDir = ExtractFilePath(dataFile);
  memo->setFocus();
}

// --- Layout ---------------------------------------------------------------------------

void TfrmAddReadingText::FormResize() {
  if (!pnlClient) return;
  const int w = pnlClient->width();
  const int h = pnlClient->height();
  // The source box reaches the right edge, so that a long path shows.
  const int sourceWidth = std::max(320, w - gbSource->x() - 12);
  gbSource->resize(sourceWidth, gbSource->height());
  btnBrowse->move(sourceWidth - btnBrowse->width() - 8, btnBrowse->y());
  editReadingPath->resize(btnBrowse->x() - 6 - editReadingPath->x(), editReadingPath->height());
  pnlTitle->setGeometry(0, pnlTitle->y(), w, pnlTitle->height());
  mmoReadingTitle->move((w - mmoReadingTitle->width()) / 2, mmoReadingTitle->y());
  const int textTop = mmoReadingText->y();
  mmoReadingText->setGeometry(0, textTop, w, std::max(0, h - 60 - textTop));
  const int top = h - 44;
  btnOK->move(w / 2 - 230, top);
  btnDeleteText->move(w / 2 - 112, top);
  btnCancel->move(w / 2 + 7, top);
  btnHelp->move(w / 2 + 125, top);
}

// --- The reading element -------------------------------------------------------------

ReadingData TfrmAddReadingText::Reading() const {
  ReadingData r;
  r.include = chkIncludeReading->isChecked();
  r.timer = chkTimer->isChecked();
  r.minutes = spinTimer->value();
  r.internal = rbInternal->isChecked();
  r.path = editReadingPath->Text();
  r.title = mmoReadingTitle->Text();
  r.text = mmoReadingText->Text();
  return r;
}

void TfrmAddReadingText::SetReading(const ReadingData& r) {
  FLoading = true;
  chkIncludeReading->setChecked(r.include);
  chkTimer->setChecked(r.timer);
  spinTimer->setValue(std::clamp(r.minutes, kMinTime, kMaxTime));
  rbInternal->setChecked(r.internal);
  rbExternal->setChecked(!r.internal);
  editReadingPath->SetText(r.path);
  mmoReadingTitle->SetText(r.title);
  mmoReadingText->SetText(r.text);
  FLoading = false;
  // The reading set is now the one that Cancel or No goes back to.
  RememberText();
  FTextChanged = false;
}

void TfrmAddReadingText::ReportXMLReadingData(std::string& xml) const { xml = ReadingElement(Reading()); }

void TfrmAddReadingText::LoadXMLReadingData(const std::string& xml) {
  SetReading(ReadReadingElement(xml));
}

void TfrmAddReadingText::ClearReading() {
  FLoading = true;
  chkIncludeReading->setChecked(false);
  rbInternal->setChecked(true);
  editReadingPath->SetText("");
  mmoReadingTitle->SetText("");
  mmoReadingText->SetText("");
  FLoading = false;
  RememberText();
  FTextChanged = false;
}

// --- The reading page ------------------------------------------------------------------

ExportReading TfrmAddReadingText::ForExport(int browserVersion) const {
  ExportReading r;
  r.include = chkIncludeReading->isChecked();
  r.timer = chkTimer->isChecked();
  r.minutes = spinTimer->value();
  if (r.include && browserVersion != 0) {
    ReadingOutput made = GetReadingOutput(browserVersion);
    r.output = std::move(made.output);
    r.outputMessages = std::move(made.messages);
    r.outputFailed = made.failed;
  }
  return r;
}

ReadingOutput TfrmAddReadingText::GetReadingOutput(int browserVersion) const {
  const std::string folder = frmMain ? frmMain->FSourcePath : std::string();
  const std::string store = frmSourceFiles ? frmSourceFiles->FReadingText : std::string();
  ConfigValues config;
  for (const char* name :
       {"editGraphicURL", "editPageBGColor", "editTitleColor", "editTextColor", "editExBGColor"})
    config.text[name] = ConfigText(name);
  return BuildReadingOutput(Reading(), browserVersion,
                            ReadTemplateSource(folder, kReadingTemplateName, store,
                                               SharedSuppliedTemplate(kReadingTemplateName)),
                            config);
}
