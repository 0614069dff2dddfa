#include "shared/forms/TLAbout.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cctype>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "shared/forms/MainFormBase.h"
#include "shared/forms/TLFunctions.h"

TfrmTLAbout* frmTLAbout = nullptr;

QIcon TavrelProgramIcon(const std::string& programTitle) {
  std::string lower;
  for (char c : programTitle) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  tavrel::InitResources();
  QIcon icon(tavrel::toQString(":/tavrel/icons/" + lower + ".png"));
  if (icon.availableSizes().isEmpty()) icon = QApplication::windowIcon();
  return icon;
}

namespace {

std::string applicationTitle() {
  if (frmMain) return frmMain->AppTitle();
  return tavrel::fromQString(QGuiApplication::applicationDisplayName());
}

}  // namespace

TfrmTLAbout::TfrmTLAbout(QWidget* parent) : QDialog(parent) {
  frmTLAbout = this;
  setObjectName(QStringLiteral("frmTLAbout"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);

  imgProgIcon = new QLabel(this);
  imgProgIcon->setObjectName(QStringLiteral("imgProgIcon"));
  imgProgIcon->setFixedSize(64, 64);
  imgProgIcon->setAlignment(Qt::AlignCenter);

  lblAppTitle = new QLabel(this);
  lblAppTitle->setObjectName(QStringLiteral("lblAppTitle"));
  lblAppTitle->setTextFormat(Qt::PlainText);
  QFont big = lblAppTitle->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.25);
  lblAppTitle->setFont(big);

  lblNotice = new QLabel(this);
  lblNotice->setObjectName(QStringLiteral("lblNotice"));
  lblNotice->setTextFormat(Qt::PlainText);
  lblNotice->setWordWrap(false);

  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  btnOK->setMinimumWidth(82);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->setSpacing(10);
  text->addWidget(lblAppTitle);
  text->addWidget(lblNotice);
  text->addStretch(1);

  auto* top = new QHBoxLayout;
  top->setSpacing(18);
  top->addWidget(imgProgIcon, 0, Qt::AlignTop);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 14);
  layout->setSpacing(18);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  AssignStrings();
}

TfrmTLAbout::~TfrmTLAbout() {
  if (frmTLAbout == this) frmTLAbout = nullptr;
}

void TfrmTLAbout::AssignStrings() {
  const std::string title = applicationTitle();
  imgProgIcon->setPixmap(TavrelProgramIcon(title).pixmap(64, 64));
  setWindowTitle(tavrel::toQString("About " + title));
  std::string version;
  GetVersionString(version);
  lblAppTitle->setText(tavrel::toQString("Tavrel: " + title + " " + version));
  lblNotice->setText(QStringLiteral(
      "Tavrel is a suite of authoring programs for teachers.\n"
      "The web pages it makes are yours to use in your teaching."));
}
