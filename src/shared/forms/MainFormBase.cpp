#include "shared/forms/MainFormBase.h"

#include <QLabel>
#include <QStatusBar>

#include "platform/qt/QtText.h"

TMainFormBase* frmMain = nullptr;

TMainFormBase::TMainFormBase(QWidget* parent) : QMainWindow(parent) {}

TMainFormBase::~TMainFormBase() {
  if (frmMain == this) frmMain = nullptr;
}

void TMainFormBase::CreateStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(true);
  const int widths[3] = {400, 150, 50};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[static_cast<size_t>(i)] = new QLabel(StatusBar1);
    statusPanels_[static_cast<size_t>(i)]->setMinimumWidth(widths[i]);
    StatusBar1->addWidget(statusPanels_[static_cast<size_t>(i)]);
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
