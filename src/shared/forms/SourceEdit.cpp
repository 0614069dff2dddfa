#include "shared/forms/SourceEdit.h"

#include "platform/core/TextCodec.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QToolButton>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/forms/EditFunctions.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/ReadingData.h"
#include "shared/core/StringFunctions.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/ModalForm.h"

using tavrel::mbOK;
using tavrel::mbYesNoCancel;
using tavrel::ModalResult;
using tavrel::MsgType;
using tavrel::platform;
using tavrel::SetTextColour;

TfrmSourceFiles* frmSourceFiles = nullptr;
std::function<void(TfrmSourceFiles&)> TfrmSourceFiles::ModalHook;

namespace {

// Geometry of the form as designed.
constexpr int kFilesPanelWidth = 97;
constexpr int kButtonsPanelHeight = 60;
constexpr int kSlotButtonLeft = 8;
constexpr int kSlotButtonWidth = 81;
constexpr int kSlotButtonHeight = 25;
constexpr int kFirstSlotTop = 12;
constexpr int kFontButtonGap = 16;  // between the last slot button and btnFont
constexpr int kBottomButtonWidth = 120;
constexpr int kBottomButtonHeight = 25;
constexpr int kBottomButtonGap = 13;
constexpr int kBottomButtonsWidth = 520;  // the four buttons with their gaps, rounded

// The supplied copies of the templates, beside the program.
std::string SuppliedFolder() { return tavrel::programFolder() + "SrcBackup/"; }

}  // namespace

QColor TfrmSourceFiles::SlotColour(int slot) {
  switch (slot) {
    case tsWelcome: return QColor(0, 0, 128);    // navy
    case tsCode: return QColor(128, 0, 0);       // maroon
    case tsReading: return QColor(0, 128, 0);    // green
    case tsDHTML: return QColor(128, 0, 128);    // purple
    default: return QColor(0, 0, 0);             // black: the frameset
  }
}

TfrmSourceFiles::TfrmSourceFiles(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSourceFiles");
  setWindowTitle("Edit Source Files");
  resize(760, 540);
  setMinimumSize(kFilesPanelWidth + kBottomButtonsWidth + 16, 300);

  pnlFiles = new QFrame(this);
  pnlFiles->setObjectName("pnlFiles");
  pnlFiles->setFrameShape(QFrame::StyledPanel);
  pnlFiles->setFrameShadow(QFrame::Raised);

  pnlButtons = new QFrame(this);
  pnlButtons->setObjectName("pnlButtons");
  pnlButtons->setFrameShape(QFrame::StyledPanel);
  pnlButtons->setFrameShadow(QFrame::Raised);
  pnlButtons->installEventFilter(this);

  mmoText = new tavrel::TMemo(this, "mmoText");
  mmoText->SetWantTabs(true);
  mmoText->setLineWrapMode(QPlainTextEdit::NoWrap);

  slotGroup_ = new QButtonGroup(this);
  slotGroup_->setExclusive(true);
  auto makeSlotButton = [this](const char* name, const char* caption) {
    auto* b = new QToolButton(pnlFiles);
    b->setObjectName(name);
    b->setText(caption);
    b->setCheckable(true);
    b->setGeometry(kSlotButtonLeft, kFirstSlotTop, kSlotButtonWidth, kSlotButtonHeight);
    b->setHidden(true);  // shown once its template is loaded
    slotGroup_->addButton(b);
    return b;
  };
  spdFrameset = makeSlotButton("spdFrameset", "Frameset");
  spdWelcome = makeSlotButton("spdWelcome", "Welcome");
  spdCode = makeSlotButton("spdCode", "Code");
  spdReading = makeSlotButton("spdReading", "Reading");
  spdDHTML = makeSlotButton("spdDHTML", "DHTML");
  // The frameset caption keeps the default text colour.
  SetTextColour(spdWelcome, QPalette::ButtonText, SlotColour(tsWelcome));
  SetTextColour(spdCode, QPalette::ButtonText, SlotColour(tsCode));
  SetTextColour(spdReading, QPalette::ButtonText, SlotColour(tsReading));
  SetTextColour(spdDHTML, QPalette::ButtonText, SlotColour(tsDHTML));
  connect(slotGroup_, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* b) {
    TMainFormBase::RunCommand([this, b] { spdFramesetClick(b); });
  });

  btnFont = new QPushButton("F&ont", pnlFiles);
  btnFont->setObjectName("btnFont");
  btnFont->setGeometry(kSlotButtonLeft, kFirstSlotTop, kSlotButtonWidth, kBottomButtonHeight);
  TMainFormBase::ConnectCommand(btnFont, [this] { btnFontClick(); });

  auto makeButton = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, pnlButtons);
    b->setObjectName(name);
    b->resize(kBottomButtonWidth, kBottomButtonHeight);
    return b;
  };
  btnAccept = makeButton("btnAccept", "&Accept");
  btnCancel = makeButton("btnCancel", "Ca&ncel");
  btnRestore = makeButton("btnRestore", "&Restore Default");
  btnHelp = makeButton("btnHelp", "&Help");
  btnCancel->setDefault(true);
  TMainFormBase::ConnectCommand(btnAccept, [this] { btnAcceptClick(); });
  TMainFormBase::ConnectCommand(btnCancel, [this] { btnCancelClick(); });
  TMainFormBase::ConnectCommand(btnRestore, [this] { btnRestoreClick(); });
  TMainFormBase::ConnectCommand(btnHelp, [this] { btnHelpClick(); });

  // The form previews the keys of all its controls.
  mmoText->installEventFilter(this);
  for (QAbstractButton* b : slotGroup_->buttons()) b->installEventFilter(this);
  for (QPushButton* b : {btnFont, btnAccept, btnCancel, btnRestore, btnHelp}) b->installEventFilter(this);

  slots_ = {{
      {tsFrameset, &FFramesetFile, &FFramesetText, spdFrameset, "Frameset", {}},
      {tsWelcome, &FWelcomeFile, &FWelcomeText, spdWelcome, "Welcome", {}},
      {tsCode, &FCodeFile, &FCodeText, spdCode, "Code", {}},
      {tsReading, &FReadingFile, &FReadingText, spdReading, "Reading", {}},
      {tsDHTML, &FDHTMLFile, &FDHTMLText, spdDHTML, "DHTML", {}},
  }};

  FormResize();
  frmSourceFiles = this;
  FormCreate();
}

TfrmSourceFiles::~TfrmSourceFiles() {
  if (frmSourceFiles == this) frmSourceFiles = nullptr;
}

void TfrmSourceFiles::FormCreate() {
  setWindowIcon(QApplication::windowIcon());
  // The names the templates are supplied under, which the exports ask for
  // too: the program's word in lower case.
  const std::string word = frmMain ? LowerCaseAscii(frmMain->AppTitle()) : std::string();
  folder_ = frmMain ? frmMain->FSourcePath : std::string();
  for (Slot& s : slots_) {
    switch (s.index) {
      case tsFrameset: s.name = word + ".ht_"; break;
      case tsWelcome: s.name = word + "w.ht_"; break;
      case tsCode: s.name = word + "c.ht_"; break;
      case tsReading: s.name = kReadingTemplateName; break;
      case tsDHTML: s.name = "d" + word + ".ht_"; break;
    }
    *s.file = TemplatePath(folder_, s.name);
  }
  GetFilesFromDisk();
}

bool TfrmSourceFiles::Uses(const Slot& s) const {
  return frmMain && frmMain->FUsesTemplate[static_cast<size_t>(s.index)];
}

TfrmSourceFiles::Slot* TfrmSourceFiles::SlotOf(int index) {
  for (Slot& s : slots_)
    if (s.index == index) return &s;
  return nullptr;
}

TfrmSourceFiles::Slot* TfrmSourceFiles::SlotOfButton(QAbstractButton* b) {
  for (Slot& s : slots_)
    if (s.button == b) return &s;
  return nullptr;
}

std::string TfrmSourceFiles::SuppliedCopy(const std::string& name) const {
  return TemplatePath(SuppliedFolder(), name);
}

void TfrmSourceFiles::GetFilesFromDisk() {
  int top = kFirstSlotTop;
  for (Slot& s : slots_) {
    if (!Uses(s)) continue;
    // Found as the exports find it; an empty file is no template either.
    *s.file = TemplatePath(folder_, s.name);
    if (!LoadTemplateFile(folder_, s.name, *s.text)) {
      platform().messageDlg("Unable to load " + tavrel::ShownPath(ExtractFileName(*s.file)) +
                                ". Restoring default.",
                            MsgType::Warning, mbOK, kHelpContext);
      // An unreadable supplied copy leaves the text as it was.
      LoadTemplateFile(SuppliedFolder(), s.name, *s.text);
    }
    s.button->move(kSlotButtonLeft, top);
    s.button->setVisible(true);
    top += s.button->height();
  }
  btnFont->move(kSlotButtonLeft, top + kFontButtonGap);
}

void TfrmSourceFiles::StashText() {
  if (Slot* s = SlotOf(shown_)) *s->text = mmoText->Text();
}

void TfrmSourceFiles::ShowSlot(Slot& s) {
  shown_ = s.index;
  SetTextColour(mmoText, QPalette::Text, SlotColour(s.index));
  mmoText->SetText(*s.text);
}

void TfrmSourceFiles::spdFramesetClick(QAbstractButton* Sender) {
  Slot* s = SlotOfButton(Sender);
  if (!s) return;
  StashText();
  ShowSlot(*s);
}

void TfrmSourceFiles::FormShow() {
  spdFramesetClick(spdFrameset);
  spdFrameset->setChecked(true);
}

void TfrmSourceFiles::btnAcceptClick() {
  StashText();
  for (Slot& s : slots_) {
    // An empty text would be no template: the file stays as it is.
    if (!Uses(s) || s.text->empty()) continue;
    // Written back under the name the file has, or the supplied name.
    *s.file = TemplatePath(folder_, s.name);
    if (!SaveTextFile(*s.file, *s.text)) {
      platform().messageDlg(std::string("Unable to save the ") + s.word +
                                " file. Changes will be retained for this session only.",
                            MsgType::Warning, mbOK, kHelpContext);
    }
  }
  accept();
}

void TfrmSourceFiles::btnCancelClick() {
  GetFilesFromDisk();
  // The memo goes back to the reloaded text too, so that the next showing,
  // which first stores the memo, cannot bring the discarded edit back.
  if (Slot* s = SlotOf(shown_)) mmoText->SetText(*s->text);
  reject();
}

void TfrmSourceFiles::btnRestoreClick() {
  if (platform().messageDlg(
          "Are you sure you want to return to the original source file supplied with the program?",
          MsgType::Confirmation, mbYesNoCancel, kHelpContext, tavrel::mbNo) != ModalResult::Yes)
    return;
  Slot* s = SlotOf(shown_);
  if (!s) return;
  const std::string path = SuppliedCopy(s->name);
  std::string fresh;
  if (!LoadTextFile(path, fresh)) {
    // Keep the editor as it is: an empty text here would be written over the
    // template on Accept.
    platform().messageDlg("Unable to load the original source file " + tavrel::ShownPath(path) +
                              ". The text in the editor has not been changed.",
                          MsgType::Warning, mbOK, kHelpContext);
    return;
  }
  mmoText->SetText(fresh);
}

void TfrmSourceFiles::btnFontClick() {
  if (!frmMain) return;
  if (!platform().fontDialog(frmMain->dlgRawFont)) return;
  // Name, size and style only: the colour tells which template is shown.
  mmoText->setFont(tavrel::FontFromSpec(frmMain->dlgRawFont, mmoText->font()));
}

void TfrmSourceFiles::btnHelpClick() { platform().showHelp(kHelpContext); }

void TfrmSourceFiles::AssignRawFont(const tavrel::FontSpec& font) {
  mmoText->setFont(tavrel::FontFromSpec(font, mmoText->font()));
  SetTextColour(mmoText, QPalette::Text, tavrel::ColourFromBGR(font.color));
}

bool TfrmSourceFiles::FormKeyDown(QKeyEvent* e) { return HandleMarkupKeyEvent(this, e); }

void TfrmSourceFiles::FormResize() {
  const int left = pnlFiles->width() + 2;
  mmoText->setGeometry(left, 0, width() - left, pnlButtons->y() - 2);
}

void TfrmSourceFiles::pnlButtonsResize() {
  int left = (pnlButtons->width() - kBottomButtonsWidth) / 2;
  const int top = (pnlButtons->height() - kBottomButtonHeight) / 2;
  for (QPushButton* b : {btnAccept, btnCancel, btnRestore, btnHelp}) {
    b->move(left, top);
    left = b->x() + b->width() + kBottomButtonGap;
  }
}

int TfrmSourceFiles::ShowModal() { return ShowModalForm(*this, ModalHook); }

void TfrmSourceFiles::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TfrmSourceFiles::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  const int w = width();
  const int h = height();
  pnlButtons->setGeometry(0, h - kButtonsPanelHeight, w, kButtonsPanelHeight);
  pnlFiles->setGeometry(0, 0, kFilesPanelWidth, h - kButtonsPanelHeight);
  FormResize();
}

void TfrmSourceFiles::keyPressEvent(QKeyEvent* e) {
  if (e->modifiers() == Qt::NoModifier) {
    if (e->key() == Qt::Key_Escape) {  // Cancel is the cancel button
      btnCancelClick();
      return;
    }
    if (e->key() == Qt::Key_F1) {
      btnHelpClick();
      return;
    }
  }
  if (FormKeyDown(e)) return;
  QDialog::keyPressEvent(e);
}

bool TfrmSourceFiles::eventFilter(QObject* watched, QEvent* e) {
  if (watched == pnlButtons && e->type() == QEvent::Resize) {
    pnlButtonsResize();
  } else if (e->type() == QEvent::KeyPress && watched != pnlButtons) {
    if (FormKeyDown(static_cast<QKeyEvent*>(e))) return true;
  }
  return QDialog::eventFilter(watched, e);
}
