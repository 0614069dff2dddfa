#include "shared/forms/InsertLink.h"

#include "platform/core/TextCodec.h"
#include "shared/forms/MainFormBase.h"

#include "shared/core/HelpContexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shared/forms/PictureLibrary.h"
#include "platform/qt/QtText.h"
#include "platform/qt/Widgets.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"

using tavrel::platform;

TfrmInsertLink* frmInsertLink = nullptr;

namespace {
constexpr int kHelpContext = kHelpLink;
const char* const kClickHere = "Click here";
}  // namespace

TfrmInsertLink::TfrmInsertLink(QWidget* parent) : QDialog(parent) {
  setObjectName("frmInsertLink");
  setWindowTitle("Insert Link");
  setModal(true);

  editPath = new tavrel::TEdit(this, "editPath");
  editPath->setMinimumWidth(320);
  cmbTarget = new QComboBox(this);
  cmbTarget->setObjectName("cmbTarget");
  cmbTarget->setEditable(true);
  cmbTarget->addItems({"_blank", "_self", "_parent", "_top"});
  cmbTarget->setCurrentIndex(-1);
  cmbTarget->setEditText(QString());
  cmbTarget->setInsertPolicy(QComboBox::NoInsert);

  gbLink = new QGroupBox("Link", this);
  gbLink->setObjectName("gbLink");
  editLinkText = new tavrel::TEdit(gbLink, "editLinkText");
  btnPicture = new QPushButton("&Picture", gbLink);
  btnPicture->setObjectName("btnPicture");
  btnPicture->setAutoDefault(false);

  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);
  btnHelp = new QPushButton("&Help", this);
  btnHelp->setObjectName("btnHelp");
  btnHelp->setAutoDefault(false);

  auto* fields = new QFormLayout;
  fields->addRow("URL/Path: ", editPath);
  fields->addRow("Target: ", cmbTarget);

  auto* linkRow = new QHBoxLayout(gbLink);
  linkRow->addWidget(new QLabel("Link text: ", gbLink));
  linkRow->addWidget(editLinkText, 1);
  linkRow->addWidget(btnPicture);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnHelp);

  auto* main = new QVBoxLayout(this);
  main->addLayout(fields);
  main->addWidget(gbLink);
  main->addStretch(1);
  main->addLayout(buttons);
  resize(460, 190);

  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnHelp, &QPushButton::clicked, this, [] { platform().showHelp(kHelpContext); });
  TMainFormBase::ConnectCommand(btnPicture, [this] { btnPictureClick(); });

  dlgLinkFile.title = "Link to File";
  dlgLinkFile.filter = "All files (*.*)|*.*";
  dlgLinkFile.helpContext = kHelpContext;
  dlgLinkFile.fileMustExist = true;

  frmInsertLink = this;
}

TfrmInsertLink::~TfrmInsertLink() {
  if (frmInsertLink == this) frmInsertLink = nullptr;
}

int TfrmInsertLink::RunModal() {
  if (ModalHook) return ModalHook(*this);
  return exec();
}

void TfrmInsertLink::ShowMe(bool toFile, const std::string& dataFileName, std::string& output,
                            const std::string& defaultLinkText) {
  output.clear();
  editPath->SetText("");
  editLinkText->SetText(defaultLinkText.empty() ? kClickHere : defaultLinkText);
  FDataFileName = dataFileName;

  if (toFile) {
    if (!CheckRootDir(dataFileName)) return;
    // Start where the pages will be, unless the user has browsed elsewhere.
    if (dlgLinkFile.initialDir.empty()) dlgLinkFile.initialDir = ExtractFilePath(dataFileName);
    dlgLinkFile.fileName.clear();
    if (!platform().openDialog(dlgLinkFile)) return;
    dlgLinkFile.initialDir = ExtractFilePath(dlgLinkFile.fileName);
    std::string relative;
    GetRelativePath(dataFileName, dlgLinkFile.fileName, relative);
    editPath->SetText(relative);
  }

  editPath->setFocus();
  if (RunModal() != QDialog::Accepted) return;

  const std::string target = tavrel::fromQString(cmbTarget->currentText());
  output = "<A HREF=\"" + editPath->Text() + "\"";
  if (!target.empty()) output += " TARGET=\"" + target + "\"";
  output += ">" + editLinkText->Text() + "</A>";
}

bool TfrmInsertLink::CheckRootDir(const std::string& dataFileName) {
  if (dataFileName.empty() || !FileExists(dataFileName)) {
    platform().messageDlg(
        "The program needs to know where you will save your HTML file so that it can "
        "construct a relative URL. Please save your data file in the folder where you will "
        "put your HTML file when it is created, then try again.",
        tavrel::MsgType::Warning, tavrel::mbOK, kHelpContext);
    return false;
  }
  if (FRootDirAsked) return true;
  FRootDirAsked = true;
  const std::string text =
      "In order to create a relative link, the program will assume that your HTML file will "
      "be saved in the same location as your data file is currently saved: \r\n\r\n" +
      tavrel::ShownPath(ExtractFilePath(dataFileName)) +
      "\r\n\r\nIf you wish to change this, please cancel this operation and save your data "
      "file in the folder where you intend to place the HTML files.";
  return platform().messageDlg(text, tavrel::MsgType::Confirmation, tavrel::mbOKCancel,
                               kHelpContext) == tavrel::ModalResult::OK;
}

void TfrmInsertLink::GetRelativePath(const std::string& fromFile, const std::string& toFile,
                                     std::string& result) {
  result.clear();
  // Paths that do not start alike lie on different drives (or one of them is
  // not absolute): no relative path leads from one to the other.
  if (fromFile.empty() || toFile.empty() || fromFile[0] != toFile[0]) {
    platform().messageDlg("These files are on different drives, so no relative path can be created.",
                          tavrel::MsgType::Warning, tavrel::mbOK, 0);
    result = PathAsWebAddress(ExtractFileName(toFile));
    return;
  }
  RelativeWebPath(fromFile, toFile, result);
}

void TfrmInsertLink::btnPictureClick() {
  if (!CheckRootDir(FDataFileName)) return;
  std::string tag;
  tavrel::GetPicInfo(true, FDataFileName, tag);
  editLinkText->SetSelText(tag);
}
