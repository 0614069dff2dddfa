#include "platform/qt/QtPlatform.h"

#include "platform/core/TextCodec.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"

// The compiled-in pictures live in a static library; registering them must
// happen outside any namespace.
static void registerTavrelResources() { Q_INIT_RESOURCE(tavrel); }

namespace tavrel {

void InitResources() {
  static const bool done = [] {
    registerTavrelResources();
    return true;
  }();
  (void)done;
}

namespace {

// The window the next dialog belongs to: the open modal dialog, else the
// active window.  Dialogs are centred on it.
QWidget* dialogParent() {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

QString applicationTitle() {
  const QString name = QGuiApplication::applicationDisplayName();
  return name.isEmpty() ? QStringLiteral("Tavrel") : name;
}

// A message box in the desktop's familiar form: an icon for the type, the
// text, and a centred row of buttons in the order Yes, No, OK, Cancel, Help.
// Help shows the help for the box's context and leaves the box open.
class MessageDialog : public QDialog {
 public:
  MessageDialog(QWidget* parent, const QString& title, const QString& text, QStyle::StandardPixmap icon,
                bool withIcon, unsigned buttons, std::function<void()> onHelp,
                unsigned defaultButton = 0)
      : QDialog(parent), onHelp_(std::move(onHelp)) {
    setObjectName(QStringLiteral("MessageDlg"));
    setWindowTitle(title);
    setModal(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    if (withIcon) {
      auto* iconLabel = new QLabel(this);
      iconLabel->setObjectName(QStringLiteral("imgIcon"));
      const QIcon ic = style()->standardIcon(icon, nullptr, this);
      iconLabel->setPixmap(ic.pixmap(32, 32));
      iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
      top->addWidget(iconLabel, 0, Qt::AlignTop);
    }
    auto* textLabel = new QLabel(this);
    textLabel->setObjectName(QStringLiteral("lblMessage"));
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setText(text);
    textLabel->setWordWrap(true);
    textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A fixed width lets the wrapped text take its true height.
    int widest = 0;
    const QFontMetrics fm(textLabel->font());
    for (const QString& line : text.split(QLatin1Char('\n')))
      widest = std::max(widest, fm.horizontalAdvance(line));
    textLabel->setFixedWidth(std::clamp(widest + 8, 180, 460));
    top->addWidget(textLabel, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    struct ButtonDef {
      unsigned bit;
      const char* caption;
      const char* name;
      ModalResult result;
    };
    const ButtonDef defs[] = {
        {mbYes, "&Yes", "btnYes", ModalResult::Yes},
        {mbNo, "&No", "btnNo", ModalResult::No},
        {mbOK, "OK", "btnOK", ModalResult::OK},
        {mbCancel, "Cancel", "btnCancel", ModalResult::Cancel},
    };
    // A box must be closable: no button asked for gives an OK button.
    if (!(buttons & (mbYes | mbNo | mbOK | mbCancel))) buttons |= mbOK;
    const unsigned enterButton = DefaultButtonOf(buttons, defaultButton);
    for (const ButtonDef& d : defs) {
      if (!(buttons & d.bit)) continue;
      QPushButton* b = addButton(row, d.caption, d.name);
      const ModalResult r = d.result;
      connect(b, &QPushButton::clicked, this, [this, r] {
        result_ = r;
        QDialog::done(QDialog::Accepted);
      });
      if (d.bit == enterButton) {
        b->setDefault(true);
        b->setFocus();
      }
    }
    if (buttons & mbHelp) {
      QPushButton* b = addButton(row, "&Help", "btnHelp");
      connect(b, &QPushButton::clicked, this, [this] { help(); });
    }
    escapeResult_ = EscapeAnswerOf(buttons);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
  }

  ModalResult result() const { return result_; }

  void reject() override {
    result_ = escapeResult_;
    QDialog::reject();
  }

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
      help();
      return;
    }
    QDialog::keyPressEvent(e);
  }

 private:
  QPushButton* addButton(QHBoxLayout* row, const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(82);
    row->addWidget(b);
    return b;
  }

  void help() {
    if (onHelp_) onHelp_();
  }

  std::function<void()> onHelp_;
  ModalResult result_ = ModalResult::None;
  ModalResult escapeResult_ = ModalResult::None;
};

// The Qt file dialog with the rule a save dialog needs that Qt's own lacks:
// the folder of the chosen name must exist.
class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* parent, bool pathMustExist)
      : QFileDialog(parent), pathMustExist_(pathMustExist) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (pathMustExist_ && !files.isEmpty()) {
      const QFileInfo info(files.first());
      if (!info.isDir() && !info.absoluteDir().exists()) {
        MessageDialog box(this, QStringLiteral("Warning"),
                          QStringLiteral("The folder %1 does not exist.\nPlease choose an existing folder.")
                              .arg(QDir::toNativeSeparators(info.absolutePath())),
                          QStyle::SP_MessageBoxWarning, true, mbOK, nullptr);
        box.exec();
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool pathMustExist_;
};

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  QStringList out;
  const QStringList parts = toQString(filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString desc = parts[i].trimmed();
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    // Qt reads the patterns from the last bracketed part of the text, so the
    // description keeps its words and gets the patterns in Qt's form.
    static const QRegularExpression bracketed(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    desc.remove(bracketed);
    if (desc.isEmpty()) desc = patterns.join(QLatin1Char(' '));
    out << QStringLiteral("%1 (%2)").arg(desc, patterns.join(QLatin1Char(' ')));
  }
  return out;
}

namespace {

// Starts the opener with the address and waits up to waitMs for it to end:
// true when it ended well or is still running.  A running opener is left to
// itself, its output going nowhere, and is not ended with the program.
bool RunOpener(const QStringList& command, const QString& address, int waitMs) {
  auto* process = new QProcess;
  process->setProgram(command.front());
  process->setArguments(command.mid(1) << address);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->start();
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  if (!process->waitForFinished(waitMs)) {
    // Openers still running are kept in a list for the rest of the run (never
    // ended with the program) and let go when they end.
    static auto* running = new QList<QProcess*>;
    running->append(process);
    QObject::connect(process, &QProcess::finished, process, [process] {
      running->removeOne(process);
      process->deleteLater();
    });
    return true;
  }
  const bool ok = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
  delete process;
  return ok;
}

}  // namespace

QtPlatform::QtPlatform() { InitResources(); }

QtPlatform::~QtPlatform() {
  while (busyDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busyDepth_;
  }
}

ModalResult QtPlatform::messageDlg(const std::string& text, MsgType type, unsigned buttons,
                                   int helpContext, unsigned defaultButton) {
  QString title;
  QStyle::StandardPixmap icon = QStyle::SP_MessageBoxInformation;
  switch (type) {
    case MsgType::Warning:
      title = QStringLiteral("Warning");
      icon = QStyle::SP_MessageBoxWarning;
      break;
    case MsgType::Error:
      title = QStringLiteral("Error");
      icon = QStyle::SP_MessageBoxCritical;
      break;
    case MsgType::Information:
      title = QStringLiteral("Information");
      icon = QStyle::SP_MessageBoxInformation;
      break;
    case MsgType::Confirmation:
      title = QStringLiteral("Confirm");
      icon = QStyle::SP_MessageBoxQuestion;
      break;
  }
  std::function<void()> onHelp = [this, helpContext] {
    if (helpContext != 0) {
      showHelp(helpContext);
    } else {
      showHelpContents();
    }
  };
  MessageDialog box(dialogParent(), title, toQStringLines(text), icon, true, buttons, onHelp,
                    defaultButton);
  box.exec();
  return box.result();
}

void QtPlatform::showMessage(const std::string& text) {
  MessageDialog box(dialogParent(), applicationTitle(), toQStringLines(text),
                    QStyle::SP_MessageBoxInformation, false, mbOK, nullptr);
  box.exec();
}

bool QtPlatform::runFileDialog(FileDialogOptions& options, bool save) {
  FileDialog dlg(dialogParent(), options.pathMustExist);
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(!save && options.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !(save && options.overwritePrompt));
  dlg.setWindowTitle(options.title.empty() ? (save ? QStringLiteral("Save As") : QStringLiteral("Open"))
                                           : toQString(options.title));
  const QStringList filters = QtNameFilters(options.filter);
  if (!filters.isEmpty()) dlg.setNameFilters(filters);
  if (!options.defaultExt.empty()) dlg.setDefaultSuffix(toQString(options.defaultExt));

  // The proposed name may carry its own folder; otherwise the dialog starts
  // in the initial folder.
  const QString proposed = pathToQString(options.fileName);
  const QFileInfo proposedInfo(proposed);
  QString folder;
  if (!proposed.isEmpty() && proposed.contains(QLatin1Char('/'))) {
    folder = proposedInfo.absolutePath();
  } else if (!options.initialDir.empty()) {
    folder = pathToQString(options.initialDir);
  }
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) dlg.setDirectory(folder);
  if (!proposed.isEmpty()) dlg.selectFile(proposedInfo.fileName());

  if (options.helpContext != 0) {
    if (auto* box = dlg.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
      box->addButton(QDialogButtonBox::Help);
      const int ctx = options.helpContext;
      QObject::connect(box, &QDialogButtonBox::helpRequested, &dlg, [this, ctx] { showHelp(ctx); });
    }
  }

  if (dlg.exec() != QDialog::Accepted) return false;
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty()) return false;
  options.fileName = pathFromQString(files.first());
  return true;
}

bool QtPlatform::openDialog(FileDialogOptions& options) { return runFileDialog(options, false); }

bool QtPlatform::saveDialog(FileDialogOptions& options) { return runFileDialog(options, true); }

bool QtPlatform::fontDialog(FontSpec& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, FontFromSpec(font, QFont()), dialogParent(),
                                            QStringLiteral("Font"), QFontDialog::DontUseNativeDialog);
  if (!ok) return false;
  // Qt's dialog has no colour; the colour stays as it was.
  const unsigned colour = font.color;
  const int size = font.size;
  font = SpecFromFont(chosen, QColor());
  font.color = colour;
  if (chosen.pointSize() <= 0) font.size = size;
  return true;
}

bool QtPlatform::inputQuery(const std::string& caption, const std::string& prompt,
                            std::string& value) {
  QInputDialog dlg(dialogParent());
  dlg.setWindowTitle(toQString(caption));
  dlg.setLabelText(toQString(prompt));
  dlg.setInputMode(QInputDialog::TextInput);
  dlg.setTextValue(toQString(value));
  dlg.resize(std::max(dlg.sizeHint().width(), 420), dlg.sizeHint().height());
  if (dlg.exec() != QDialog::Accepted) return false;
  value = fromQString(dlg.textValue());
  return true;
}

std::string QtPlatform::clipboardText() {
  return fromQStringLines(QGuiApplication::clipboard()->text());
}

void QtPlatform::setClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(toQStringLines(text));
}

bool QtPlatform::shellOpen(const std::string& target, std::string& errorText) {
  const QString t = toQString(target).trimmed();
  if (t.isEmpty()) {
    errorText = "There is nothing to open.";
    return false;
  }
  // A scheme of two or more letters (http:, mailto:, file:) makes an address;
  // anything else is a local path.
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  QUrl url;
  if (scheme.match(t).hasMatch()) {
    url = QUrl(t, QUrl::TolerantMode);
    if (!url.isValid()) {
      errorText = "The address " + target + " is not valid.";
      return false;
    }
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
      errorText = "The file " + ShownPath(pathFromQString(url.toLocalFile())) + " cannot be found.";
      return false;
    }
  } else {
    const QFileInfo info(pathToQString(target));
    if (!info.exists()) {
      errorText = "The file " + target + " cannot be found.";
      return false;
    }
    url = QUrl::fromLocalFile(info.absoluteFilePath());
  }
  const bool opened =
      opener_.isEmpty() ? QDesktopServices::openUrl(url)
                        : RunOpener(opener_, url.toString(QUrl::FullyEncoded), openerWaitMs_);
  if (!opened) {
    errorText = "Unable to open " + target + ". No program on this computer is set up to open it.";
    return false;
  }
  return true;
}

void QtPlatform::setOpener(const QStringList& command, int waitMs) {
  opener_ = command;
  openerWaitMs_ = std::max(waitMs, 0);
}

void QtPlatform::setHelpFile(const std::string& path) { helpFile_ = path; }

void QtPlatform::showHelp(int helpContext) {
  openHelpAt(helpContext > 0 ? "context-" + std::to_string(helpContext) : std::string());
}

void QtPlatform::showHelpContents() { openHelpAt(std::string()); }

void QtPlatform::openHelpAt(const std::string& fragment) {
  const QFileInfo info(pathToQString(helpFile_));
  if (helpFile_.empty() || !info.isFile()) {
    showMessage("Help is not available: the help file " +
                (helpFile_.empty() ? std::string("tavrelhelp.htm") : ShownPath(helpFile_)) +
                " cannot be found.");
    return;
  }
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  if (!fragment.empty()) {
    url.setFragment(QString::fromStdString(fragment));
    // Desktop openers (xdg-open and the browsers it starts) drop the section
    // of a local file's address: the browser is sent to a page of its own
    // that goes on to the section.  Where that page cannot be written, the
    // address is given as it is (the help then opens at its top).
    const QString page = helpForwardingPage(url, fragment);
    if (!page.isEmpty()) url = QUrl::fromLocalFile(page);
  }
  std::string error;
  if (!shellOpen(fromQString(url.toString(QUrl::FullyEncoded)), error)) showMessage(error);
}

namespace {

QString HtmlAttribute(const QString& s) {
  QString out;
  out.reserve(s.size() + 16);
  for (const QChar c : s) {
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      case '\'': out += QLatin1String("&#39;"); break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

QString QtPlatform::helpForwardingPage(const QUrl& target, const std::string& fragment) {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (base.isEmpty()) return {};
  const QString folder = base + QStringLiteral("/Corvane/Tavrel");
  if (!QDir().mkpath(folder)) return {};
  // Fully encoded, the address holds no space, quote or angle bracket; the
  // apostrophe it may keep is percent-encoded too (a refresh address may end
  // at one), and "&" is escaped for the attributes.
  const QString address = HtmlAttribute(
      target.toString(QUrl::FullyEncoded).replace(QLatin1Char('\''), QLatin1String("%27")));
  const QString page =
      QStringLiteral(
          "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
          "<meta http-equiv=\"refresh\" content=\"0; url=%1\">\n"
          "<title>Help</title></head>\n<body>\n<p><a id=\"help\" href=\"%1\">Help</a></p>\n"
          "<script>location.replace(document.getElementById(\"help\").href);</script>\n"
          "</body></html>\n")
          .arg(address);
  // One page for each section, so that a browser still starting does not
  // read a page already rewritten for another section.
  QString name = QString::fromStdString(fragment);
  name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9-]")), QStringLiteral("_"));
  const QString path = folder + QStringLiteral("/help-") + name + QStringLiteral(".htm");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  const QByteArray bytes = page.toUtf8();
  if (file.write(bytes) != bytes.size() || !file.commit()) return {};
  return path;
}

void QtPlatform::setBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++busyDepth_;
  } else if (busyDepth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busyDepth_;
  }
}

}  // namespace tavrel
