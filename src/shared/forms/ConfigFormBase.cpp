#include "shared/forms/ConfigFormBase.h"

TConfigFormBase* frmConfig = nullptr;

TConfigFormBase::TConfigFormBase(QWidget* parent) : QDialog(parent) {}

TConfigFormBase::~TConfigFormBase() {
  if (frmConfig == this) frmConfig = nullptr;
}
