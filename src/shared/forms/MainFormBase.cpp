#include "shared/forms/MainFormBase.h"

#include "platform/core/TextCodec.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QComboBox>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <utility>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Registry.h"
#include "shared/core/DataFile.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/core/HelpContexts.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/TLFunctions.h"
#include "shared/forms/WhatNumber.h"
#include "platform/qt/Widgets.h"
#include "shared/core/TQList.h"

using tavrel::MsgType;
using tavrel::ModalResult;
using tavrel::platform;

TMainFormBase* frmMain = nullptr;

namespace {

// A file named on the command line as a full path: the recent files, the
// save folder and the relative links of the pages must not depend on the
// folder the program happened to be started from.
std::string FullPath(const std::string& path) {
  const QFileInfo info(tavrel::pathToQString(path));
  return tavrel::pathFromQString(QDir::cleanPath(info.absoluteFilePath()));
}

// Why a file that passed the check could not be read after all.
FileRefusal WhyNotRead(const std::string& fileName) {
  const FileRefusal now = CheckFileToRead(fileName);
  return now == FileRefusal::None ? FileRefusal::CannotRead : now;
}

// Local files among the URLs of a drag, in order.
std::vector<std::string> DroppedFiles(const QMimeData* mime) {
  std::vector<std::string> paths;
  if (!mime || !mime->hasUrls()) return paths;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) paths.push_back(tavrel::pathFromQString(url.toLocalFile()));
  return paths;
}

}  // namespace

TMainFormBase::TMainFormBase(QWidget* parent) : QMainWindow(parent) {}

TMainFormBase::~TMainFormBase() {
  if (frmMain == this) frmMain = nullptr;
}

// --- Status bar ------------------------------------------------------------------

void TMainFormBase::CreateStatusBar(const std::array<int, 3>& widths) {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(true);
  for (size_t i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(StatusBar1);
    statusPanels_[i]->setMinimumWidth(widths[i]);
    StatusBar1->addWidget(statusPanels_[i]);
  }
  setStatusBar(StatusBar1);
}

std::string TMainFormBase::StatusPanelText(int panel) const {
  if (panel < 1 || panel > 3 || !statusPanels_[static_cast<size_t>(panel - 1)]) return {};
  return tavrel::fromQString(statusPanels_[static_cast<size_t>(panel - 1)]->text());
}

void TMainFormBase::SetStatusPanelText(int panel, const std::string& text) {
  if (panel < 1 || panel > 3 || !statusPanels_[static_cast<size_t>(panel - 1)]) return;
  statusPanels_[static_cast<size_t>(panel - 1)]->setText(tavrel::toQString(text));
}

// --- Menus and toolbar -------------------------------------------------------------

QMenu* TMainFormBase::AddMenu(const char* caption, const char* name, int helpContext) {
  QMenu* m = menuBar()->addMenu(caption);
  m->setObjectName(name);
  m->setProperty(kHelpContextProperty, helpContext);
  m->installEventFilter(this);
  return m;
}

QMenu* TMainFormBase::AddSubmenu(QMenu* parent, const char* caption, const char* name,
                                 int helpContext) {
  QMenu* m = parent->addMenu(caption);
  m->setObjectName(name);
  m->setProperty(kHelpContextProperty, helpContext);
  m->menuAction()->setProperty(kHelpContextProperty, helpContext);
  m->installEventFilter(this);
  return m;
}

QAction* TMainFormBase::AddItem(QMenu* menu, const char* caption, const char* name,
                                std::function<void()> click, const QKeySequence& shortcut) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  connect(a, &QAction::triggered, this, [this, click = std::move(click)] { RunCommand(click); });
  return a;
}

void TMainFormBase::AddRecentFileItems(QMenu* file,
                                       const std::array<std::function<void()>, 5>& clicks) {
  mnuLastFileDivider = file->addSeparator();
  mnuLastFileDivider->setObjectName("mnuLastFileDivider");
  mnuLastFileDivider->setVisible(false);
  for (int i = 1; i <= 5; ++i) {
    const std::string name = "mnuLastFile" + std::to_string(i);
    std::function<void()> click = clicks[static_cast<size_t>(i - 1)];
    if (!click) click = [this, i] { mnuLastFile1Click(i); };
    QAction* a = AddItem(file, "", name.c_str(), std::move(click));
    a->setData(i);  // Tag
    a->setVisible(false);
    mnuLastFile[static_cast<size_t>(i)] = a;
  }
}

void TMainFormBase::AddReloadConfigItem(QMenu* options, const char* caption) {
  mnuReloadConfig = options->addAction(caption);
  mnuReloadConfig->setObjectName("mnuReloadConfig");
  mnuReloadConfig->setCheckable(true);
  // The tick changes only when the user confirms.
  connect(mnuReloadConfig, &QAction::triggered, this, [this](bool checked) {
    mnuReloadConfig->setChecked(!checked);
    RunCommand([this] { mnuReloadConfigClick(); });
  });
}

QToolButton* TMainFormBase::AddToolButton(QToolBar* bar, const char* name, TavrelGlyph glyph,
                                          const char* hint, std::function<void()> click) {
  auto* b = new QToolButton(bar);
  b->setObjectName(name);
  b->setIcon(MakeGlyph(glyph));
  b->setToolTip(hint);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  connect(b, &QToolButton::clicked, this, [this, click = std::move(click)] { RunCommand(click); });
  bar->addWidget(b);
  return b;
}

QToolBar* TMainFormBase::AddToolBar(QWidget* parent, const char* name, int width, int height,
                                    const std::vector<TToolButtonSpec>& fileButtons,
                                    const std::vector<TToolButtonSpec>& ownButtons) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(name);
  bar->setMovable(false);
  bar->setIconSize(QSize(22, 22));
  bar->setGeometry(0, 0, width, height);
  const std::vector<TToolButtonSpec> editButtons = {
      {&spdCut, "spdCut", TavrelGlyph::Cut, "Cut to clipboard", [this] { mnuCutClick(); }},
      {&spdCopy, "spdCopy", TavrelGlyph::Copy, "Copy to clipboard", [this] { mnuCopyClick(); }},
      {&spdPaste, "spdPaste", TavrelGlyph::Paste, "Paste from clipboard", [this] { mnuPasteClick(); }},
      {&spdUndo, "spdUndo", TavrelGlyph::Undo, "Undo previous editing action", [this] { mnuUndoClick(); }},
  };
  const std::vector<TToolButtonSpec> lastButtons = {
      {&spdHelp, "spdHelp", TavrelGlyph::Help, "Show the help file", [this] { mnuHelpContentsClick(); }},
      {&spdQuit, "spdQuit", TavrelGlyph::Quit, "Quit the program", [this] { spdQuitClick(); }},
  };
  bool first = true;
  for (const auto* group : {&fileButtons, &editButtons, &ownButtons, &lastButtons}) {
    if (!first) bar->addSeparator();
    first = false;
    for (const TToolButtonSpec& entry : *group) {
      QToolButton* b = AddToolButton(bar, entry.name, entry.glyph, entry.hint, entry.click);
      if (entry.button) *entry.button = b;
    }
  }
  return bar;
}

void TMainFormBase::AddEditMenu() {
  mnuEdit = AddMenu("&Edit", "mnuEdit", kHelpEditMenu);
  mnuUndo = AddItem(mnuEdit, "&Undo", "mnuUndo", [this] { mnuUndoClick(); }, QKeySequence("Ctrl+Z"));
  mnuEdit->addSeparator();
  mnuCut = AddItem(mnuEdit, "Cu&t", "mnuCut", [this] { mnuCutClick(); }, QKeySequence("Ctrl+X"));
  mnuCopy = AddItem(mnuEdit, "&Copy", "mnuCopy", [this] { mnuCopyClick(); }, QKeySequence("Ctrl+C"));
  mnuPaste = AddItem(mnuEdit, "&Paste", "mnuPaste", [this] { mnuPasteClick(); }, QKeySequence("Ctrl+V"));
  mnuDelete = AddItem(mnuEdit, "&Delete", "mnuDelete", [this] { mnuDeleteClick(); });
  mnuEdit->addSeparator();
  mnuSelectAll =
      AddItem(mnuEdit, "&Select All", "mnuSelectAll", [this] { mnuSelectAllClick(); }, QKeySequence("Ctrl+A"));
  connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEditClick(); });
}

tavrel::IEditControl* TMainFormBase::EditTarget() { return FocusedMemo(); }

void TMainFormBase::mnuEditClick() {
  EnableEditMenuForBox({mnuUndo, mnuCut, mnuCopy, mnuPaste, mnuDelete, mnuSelectAll}, EditTarget());
}

void TMainFormBase::mnuUndoClick() { RunEditCommand(EditTarget(), EditCommand::Undo); }
void TMainFormBase::mnuCutClick() { RunEditCommand(EditTarget(), EditCommand::Cut); }
void TMainFormBase::mnuCopyClick() { RunEditCommand(EditTarget(), EditCommand::Copy); }
void TMainFormBase::mnuPasteClick() { RunEditCommand(EditTarget(), EditCommand::Paste); }
void TMainFormBase::mnuDeleteClick() { RunEditCommand(EditTarget(), EditCommand::Delete); }
void TMainFormBase::mnuSelectAllClick() { RunEditCommand(EditTarget(), EditCommand::SelectAll); }

tavrel::TMemo* TMainFormBase::FocusedMemo() {
  tavrel::IEditControl* edit = tavrel::AsEditControl(tavrel::FocusedControl(this));
  if (!edit || !edit->IsMemo()) return nullptr;
  return dynamic_cast<tavrel::TMemo*>(edit);
}

void TMainFormBase::InsertIntoBox(tavrel::IEditControl* box, InsertCommand command) {
  InsertIntoEdit(box, command, FFileName);
  dlgSaveWeb.initialDir = ExtractFilePath(FFileName);
}

// --- Data files -------------------------------------------------------------------------

void TMainFormBase::SetCurrentFile(const std::string& fileName) {
  FChanged = false;
  FFileName = fileName;
  UpdateMainCaption();
  dlgSaveFile.fileName = fileName;
  AddRecentFile(fileName);
}

void TMainFormBase::ShowFileRefusal(const std::string& fileName, FileRefusal why) {
  if (why == FileRefusal::None) return;
  platform().messageDlg(FileRefusalMessage(fileName, why),
                        why == FileRefusal::NotFound ? MsgType::Error : MsgType::Warning,
                        tavrel::mbOK, kHelpSaveQuestion);
}

void TMainFormBase::ShowDamagedFile(const std::string& fileName) {
  platform().messageDlg(DamagedFileMessage(fileName), MsgType::Error, tavrel::mbOK,
                        kHelpSaveQuestion);
}

void TMainFormBase::LoadFile(const std::string& fileName) {
  const FileRefusal why = CheckFileToRead(fileName);
  if (why == FileRefusal::NotFound) return;
  if (why != FileRefusal::None) return ShowFileRefusal(fileName, why);
  if (FChanged && !SaveChanges()) return;
  std::string text;
  bool read = false;
  // Taken before the read: a change made while the file is read shows at
  // the next save.
  const FileIdentity seen = IdentityOf(fileName);
  {
    tavrel::BusyCursor busy;
    read = LoadTextFile(fileName, text);
  }
  if (!read) return ShowFileRefusal(fileName, WhyNotRead(fileName));
  try {
    if (!ReadDataFile(fileName, text)) return;
  } catch (const std::exception&) {
    // Whatever a file makes the readers meet (more than memory holds) ends
    // the load, not the program; the file does not become the current one,
    // so that a later Save cannot overwrite it.
    return ShowFileRefusal(fileName, FileRefusal::CannotRead);
  }
  SetCurrentFile(fileName);
  knownFile_ = fileName;
  knownIdentity_ = seen;
  DataFileLoaded();
}

bool TMainFormBase::RecentFileReadable(int tag) {
  const std::string fileName = FLastFiles[static_cast<size_t>(tag)];
  const FileRefusal why = CheckFileToRead(fileName);
  if (why == FileRefusal::None) return true;
  ShowFileRefusal(fileName, why);
  if (why == FileRefusal::NotFound) RemoveRecentFile(tag);
  return false;
}

void TMainFormBase::AppendFile(const std::function<bool(const std::string&)>& isDocument,
                               const std::function<void(const std::string&, int)>& append,
                               const std::function<void()>& show) {
  TQList* items = Questions();
  if (!items) return;
  dlgOpenFile.fileName.clear();
  if (!platform().openDialog(dlgOpenFile)) return;
  const std::string fileName = dlgOpenFile.fileName;
  const std::string bareName = ExtractFileName(fileName);
  const FileRefusal why = CheckFileToRead(fileName);
  if (why == FileRefusal::NotFound) {
    platform().messageDlg("Unable to find file: " + tavrel::ShownPath(bareName) + ".",
                          MsgType::Warning, tavrel::mbOK, kHelpFileMenu);
    return;
  }
  if (why != FileRefusal::None) return ShowFileRefusal(fileName, why);
  tavrel::BusyCursor busy;
  try {
    std::string text;
    if (!LoadTextFile(fileName, text)) {
      busy.release();
      return ShowFileRefusal(fileName, WhyNotRead(fileName));
    }
    if (!isDocument(text)) {
      busy.release();
      if (!IsOldDataFile(text)) return ShowDamagedFile(fileName);
      platform().messageDlg(
          "This is an old " + AppTitle() + " file. You will need to load and resave in order to append it.",
          MsgType::Warning, tavrel::mbOK, kHelpFileMenu);
      return;
    }
    const int start = items->FirstEmptyQuestion();
    FChosenNumber = 0;
    bool accepted = false;
    if (frmWhatNumber) {
      frmWhatNumber->lblQuestionNumber->setText("Append questions starting at number:");
      frmWhatNumber->lblQuestionNumber->show();
      frmWhatNumber->lblToPosition->setText(
          tavrel::toQString("from file: " + tavrel::ShownPath(bareName) + "."));
      frmWhatNumber->lblToPosition->show();
      frmWhatNumber->cmbToPosition->hide();
      // One more number than the list has items can be chosen.
      items->AddQuestion();
      frmWhatNumber->FillNumberLists();
      frmWhatNumber->cmbNumber->setCurrentIndex(start - 1);
      accepted = frmWhatNumber->ShowModal() == QDialog::Accepted;
    }
    if (accepted && FChosenNumber >= 1) {
      append(text, FChosenNumber);
      FChanged = true;
    }
    show();
  } catch (const std::exception&) {
    busy.release();
    platform().messageDlg("Unable to load file: " + tavrel::ShownPath(bareName) + ".",
                          MsgType::Warning, tavrel::mbOK, kHelpFileMenu);
  }
}

// --- Life cycle ------------------------------------------------------------------------

void TMainFormBase::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!shown_ && !e->spontaneous()) FormShow();
}

void TMainFormBase::FormShow() {
  shown_ = true;
  AssignMainFont();
  if (frmSourceFiles) frmSourceFiles->AssignRawFont(dlgRawFont);
  if (frmConfig) LoadStartupConfig();
  FChanged = false;
  OpenCommandLineFiles();
}

void TMainFormBase::OpenCommandLineFiles() {
  for (int i = 1; i <= tavrel::paramCount(); ++i) {
    const std::string given = tavrel::paramStr(i);
    // Switches ("\S") and names of no file are passed over.
    const FileRefusal why = CheckFileToRead(given);
    if (why == FileRefusal::NotFound) continue;
    const std::string param = FullPath(given);
    if (why == FileRefusal::Folder)
      ShowFileRefusal(param, why);
    else if (UpperCaseAscii(ExtractFileExt(param)) != ".CFG")
      RunCommand([&] { LoadFile(param); });
    else if (frmConfig)
      try {
        frmConfig->LoadConfigFile(param);
      } catch (const std::exception& e) {
        // A file that exists but cannot be read: say so and go on.
        platform().showMessage(e.what());
      }
  }
}

void TMainFormBase::ReadStartSettings() {
  RegisterFileType();
  ReadFontSettings();
  ReadSavePath();
  ReadFilePaths();
  ReadWindowSettings();
}

void TMainFormBase::SetUpFileDialogs(const char* openFilter, const char* saveFilter,
                                     const char* extension, bool openAddsExtension) {
  dlgOpenFile.filter = openFilter;
  if (openAddsExtension) dlgOpenFile.defaultExt = extension;
  dlgOpenFile.helpContext = kHelpOpenFile;
  dlgOpenFile.fileMustExist = true;
  dlgSaveFile.filter = saveFilter;
  dlgSaveFile.defaultExt = extension;
  dlgSaveFile.helpContext = kHelpSaveQuestion;
  // Save As may still add the extension to the name typed: it asks itself,
  // about the file it really writes.
  dlgSaveFile.overwritePrompt = false;
  dlgSaveFile.pathMustExist = true;
  dlgSaveWeb.filter = "HTML files (*.htm)|*.htm";
  dlgSaveWeb.defaultExt = "htm";
  dlgSaveWeb.helpContext = kHelpWebExport;
  // The export asks itself too, as every Save As does (ChooseExportFile).
  dlgSaveWeb.overwritePrompt = false;
  dlgSaveWeb.pathMustExist = true;
}

bool TMainFormBase::FormCloseQuery() { return !FChanged || SaveChanges(); }

void TMainFormBase::FormClose() {
  setAcceptDrops(false);
  WriteFontSettings();
  WriteSavePath();
  WriteWindowSettings();
  WriteFilePaths();
}

void TMainFormBase::closeEvent(QCloseEvent* e) {
  if (!FormCloseQuery()) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
  // The program's modeless companions go with the main window.
  if (frmAddReadingText) frmAddReadingText->hide();
}

// --- Keys, help, drops ----------------------------------------------------------------------

void TMainFormBase::ApplyMainFont(tavrel::TMemo* title, const std::vector<tavrel::TMemo*>& boxes) {
  QFont titleFont = title->font();
  titleFont.setFamily(tavrel::toQString(dlgMainFont.name));
  title->setFont(titleFont);
  if (boxes.empty()) return;
  const QFont whole = tavrel::FontFromSpec(dlgMainFont, boxes.front()->font());
  const QColor colour = tavrel::ColourFromBGR(dlgMainFont.color);
  for (tavrel::TMemo* m : boxes) {
    m->setFont(whole);
    tavrel::SetTextColour(m, QPalette::Text, colour);
  }
}

bool TMainFormBase::FormKeyDown(const QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    platform().showHelp(WindowHelpContext());
    return true;
  }
  return false;
}

void TMainFormBase::PreviewKeysOf(QWidget* w) {
  w->installEventFilter(this);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) area->viewport()->installEventFilter(this);
  keyPreview_.push_back(w);
}

bool TMainFormBase::IsKeyPreviewed(const QObject* w) const {
  return std::find(keyPreview_.begin(), keyPreview_.end(), w) != keyPreview_.end();
}

bool TMainFormBase::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::KeyPress: {
      auto* k = static_cast<QKeyEvent*>(e);
      if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (k->key() == Qt::Key_F1) {
          int context = menu->property(kHelpContextProperty).toInt();
          if (QAction* a = menu->activeAction()) {
            const QVariant own = a->property(kHelpContextProperty);
            if (own.isValid() && own.toInt() > 0) context = own.toInt();
          }
          for (QWidget* w = menu; w; w = qobject_cast<QMenu*>(w->parentWidget())) w->hide();
          platform().showHelp(context);
          return true;
        }
        break;
      }
      if (IsKeyPreviewed(watched) && FormKeyDown(k)) return true;
      break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* d = static_cast<QDropEvent*>(e);
      if (acceptDrops() && !DroppedFiles(d->mimeData()).empty()) {
        d->acceptProposedAction();
        return true;
      }
      break;
    }
    case QEvent::Drop: {
      auto* d = static_cast<QDropEvent*>(e);
      const auto files = DroppedFiles(d->mimeData());
      if (acceptDrops() && !files.empty()) {
        d->acceptProposedAction();
        FilesDropped(files);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, e);
}

void TMainFormBase::keyPressEvent(QKeyEvent* e) {
  // Keys of the previewed controls were seen on their way in; the others
  // (no control focused) come here first.
  QWidget* focused = QApplication::focusWidget();
  if (!focused || !IsKeyPreviewed(focused)) {
    if (FormKeyDown(e)) return;
  }
  QMainWindow::keyPressEvent(e);
}

void TMainFormBase::dragEnterEvent(QDragEnterEvent* e) {
  if (!DroppedFiles(e->mimeData()).empty())
    e->acceptProposedAction();
  else
    e->ignore();
}

void TMainFormBase::dropEvent(QDropEvent* e) {
  const auto files = DroppedFiles(e->mimeData());
  if (files.empty()) {
    e->ignore();
    return;
  }
  e->acceptProposedAction();
  FilesDropped(files);
}

void TMainFormBase::FilesDropped(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  RunCommand([&] { LoadFile(paths.front()); });
}

// --- File commands -------------------------------------------------------------------------

bool TMainFormBase::SaveChanges() {
  const ModalResult r = platform().messageDlg(
      "The " + ExerciseNoun() + " " + tavrel::ShownPath(FFileName) +
          " has changed.\r\rDo you want to save the changes?",
      MsgType::Confirmation, tavrel::mbYesNoCancel | tavrel::mbHelp, kHelpSaveQuestion);
  if (r == ModalResult::Yes) return Save();
  return r == ModalResult::No;
}

bool TMainFormBase::SaveGuarded(const std::string& fileName) {
  bool saved = false;
  std::string message = "Unable to save file: " + tavrel::ShownPath(fileName);
  try {
    ClearLastSaveFailure();
    saved = SaveAsXML(fileName);
    if (!saved) message = SaveFailureMessage(fileName);
  } catch (const std::bad_alloc&) {
    // More than memory holds: the file was not replaced.
    message = SaveFailureMessage(fileName, ENOMEM);
  } catch (const std::exception&) {
  }
  if (!saved) {
    platform().messageDlg(message, MsgType::Warning, tavrel::mbOK, kHelpSaveQuestion);
    return false;
  }
  // The file as this window wrote it: a change made to it from now on is
  // another program's.
  knownFile_ = fileName;
  knownIdentity_ = IdentityOf(fileName);
  return true;
}

bool TMainFormBase::ReplacesChangedFileOnlyIfAsked(const std::string& fileName) {
  if (knownFile_ != fileName || !ChangedOnDisk(fileName, knownIdentity_)) return true;
  return MayReplaceChangedFile(fileName, kHelpSaveQuestion);
}

bool TMainFormBase::Save() {
  if (FFileName.empty()) return SaveAs();
  if (!ReplacesChangedFileOnlyIfAsked(FFileName) || !SaveGuarded(FFileName)) return false;
  FChanged = false;
  return true;
}

bool TMainFormBase::SaveAs() {
  if (!platform().saveDialog(dlgSaveFile)) return false;
  std::string name = dlgSaveFile.fileName;
  const std::string ext = "." + DataFileExtension();
  if (name.find(ext) == std::string::npos) name += ext;
  // The dialog knows only the name typed: the question is asked here, about
  // the file that is really written (through a link, the file it leads to).
  if (!MayReplaceFile(name, kHelpSaveQuestion)) return false;
  if (!SaveGuarded(name)) return false;
  FFileName = name;
  FChanged = false;
  UpdateMainCaption();
  if (SaveAsAddsRecentFile()) AddRecentFile(FFileName);
  return true;
}

bool TMainFormBase::ChooseExportFile(std::string& fileName) {
  if (!platform().saveDialog(dlgSaveWeb)) return false;
  if (!MayReplaceFile(dlgSaveWeb.fileName, kHelpWebExport)) return false;
  fileName = dlgSaveWeb.fileName;
  return true;
}

bool TMainFormBase::NewFile() {
  if (FChanged && !SaveChanges()) return false;
  ClearExercise();
  FChanged = false;
  return true;
}

void TMainFormBase::spdLoadQuizClick() {
  if (FChanged && !SaveChanges()) return;
  if (platform().openDialog(dlgOpenFile)) LoadFile(dlgOpenFile.fileName);
}

void TMainFormBase::mnuSaveAsClick() { SaveAs(); }

void TMainFormBase::OpenRecentFile(int tag) {
  if (tag < 1 || tag > 5 || FLastFiles[static_cast<size_t>(tag)].empty()) return;
  // A copy: the load moves the entries.
  const std::string fileName = FLastFiles[static_cast<size_t>(tag)];
  if (RecentFileReadable(tag)) LoadFile(fileName);
}

void TMainFormBase::spdQuitClick() { close(); }

// --- Other windows and options ------------------------------------------------------------

void TMainFormBase::RunCommand(const std::function<void()>& command) {
  std::string failure;
  try {
    command();
    return;
  } catch (const std::bad_alloc&) {
    failure = "There is not enough memory to finish this command.";
  } catch (const std::exception& e) {
    failure = std::string("This command could not be finished: ") + e.what();
  }
  try {
    platform().messageDlg(failure, MsgType::Error, tavrel::mbOK, 0);
  } catch (const std::exception&) {
    // Not even the message could be shown; the program goes on.
  }
}

void TMainFormBase::ConnectCommand(QAbstractButton* button, std::function<void()> click) {
  connect(button, &QAbstractButton::clicked, button,
          [click = std::move(click)] { RunCommand(click); });
}

void TMainFormBase::ConnectCommand(QAction* item, std::function<void()> click) {
  connect(item, &QAction::triggered, item, [click = std::move(click)] { RunCommand(click); });
}

TExerciseKeeper::TExerciseKeeper(TMainFormBase& window)
    : window_(window), exceptions_(std::uncaught_exceptions()), changed_(window.FChanged) {
  if (const TQList* items = window.Questions()) items_ = std::make_unique<TQList>(*items);
}

TExerciseKeeper::~TExerciseKeeper() {
  if (std::uncaught_exceptions() <= exceptions_) return;
  try {
    if (TQList* items = window_.Questions(); items && items_) {
      *items = std::move(*items_);
      window_.Redisplay();
    }
  } catch (const std::exception&) {
    // What could not be shown again stays in the list as it was.
  }
  window_.FChanged = changed_;
}

int TMainFormBase::RunModalForm(QDialog& form) {
  if (ModalFormHook) return ModalFormHook(form);
  return form.exec();
}

void TMainFormBase::mnuConfigureOutputClick() {
  if (frmConfig) RunModalForm(*frmConfig);
}

void TMainFormBase::spdConfigClick() { mnuConfigureOutputClick(); }

void TMainFormBase::mnuEditHTMLClick() {
  if (!RawHTMLWarned) {
    platform().messageDlg(
        "Please note that editing the raw HTML files may cause your Web pages to fail.",
        MsgType::Warning, tavrel::mbOK, kHelpTemplates);
    RawHTMLWarned = true;
  }
  if (frmSourceFiles) frmSourceFiles->ShowModal();
}

void TMainFormBase::mnuFontsClick() {
  if (platform().fontDialog(dlgMainFont)) AssignMainFont();
}

void TMainFormBase::mnuReloadConfigClick() {
  const ModalResult r = platform().messageDlg(
      "This will change the way data and configuration information is saved. Are you sure you "
      "want to change this setting?",
      MsgType::Warning, tavrel::mbOK | tavrel::mbCancel | tavrel::mbHelp, kHelpReloadConfig);
  if (r != ModalResult::OK) return;
  mnuReloadConfig->setChecked(!mnuReloadConfig->isChecked());
  try {
    tavrel::TRegistry reg;
    reg.OpenKey(std::string(kTavrelBaseKey) + "\\" + AppTitle() + "\\Config", true);
    reg.WriteString("ReloadFromFile", mnuReloadConfig->isChecked() ? "True" : "False");
  } catch (const std::exception& e) {
    platform().messageDlg(e.what(), MsgType::Error, tavrel::mbOK, 0);
  }
}

void TMainFormBase::mnuAddReadingTextClick() {
  if (frmAddReadingText) frmAddReadingText->ShowReading();
}

void TMainFormBase::mnuHelpContentsClick() { platform().showHelpContents(); }

void TMainFormBase::mnuAboutClick() {
  if (frmTLAbout) RunModalForm(*frmTLAbout);
}

void TMainFormBase::mnuInternetHelpClick(int tag) {
  std::string target;
  switch (tag) {
    case 1:
      target = "https://tavrel.example.org/" + LowerCaseAscii(AppTitle()) + "/update.htm";
      break;
    case 2:
      target = "https://tavrel.example.org/board/";
      break;
    case 3: {
      std::string version;
      GetVersionString(version);
      target = "mailto:support@tavrel.example.org?subject=Tavrel - " + AppTitle() + " v" + version;
      break;
    }
    default:
      return;
  }
  std::string error;
  if (!platform().shellOpen(target, error))
    platform().messageDlg(
        "Unable to connect. Please see the Help for details on how to contact us by e-mail or "
        "through our Web site.",
        MsgType::Warning, tavrel::mbOK, kHelpContents);
}
