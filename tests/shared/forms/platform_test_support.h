// A small main window and configuration window to host the settings
// services, a private registry folder per test, and a helper that answers a
// real modal dialog from inside its own event loop.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/qt/Registry.h"
#include "shared/forms/ConfigFormBase.h"
#include "shared/core/FileFunctions.h"
#include "shared/forms/MainFormBase.h"
#include "support/TempDir.h"

namespace platform_test {

class HostMainForm : public TMainFormBase {
 public:
  explicit HostMainForm(std::string title = "Askery") : title_(std::move(title)) {
    QMenu* file = menuBar()->addMenu("&File");
    mnuLastFileDivider = file->addSeparator();
    mnuLastFileDivider->setVisible(false);
    for (size_t i = 1; i <= 5; ++i) {
      mnuLastFile[i] = file->addAction(QString("LastFile%1").arg(i));
      mnuLastFile[i]->setVisible(false);
    }
    mnuReloadConfig = file->addAction("Reload config info from data file");
    mnuReloadConfig->setCheckable(true);
    CreateStatusBar();
    SetStatusPanelText(1, "Config: ");
    resize(598, 405);
    frmMain = this;
  }
  std::string AppTitle() const override { return title_; }

 private:
  std::string title_;
};

// Loads by remembering the name of a file that exists; throws when told to.
class HostConfigForm : public TConfigFormBase {
 public:
  HostConfigForm() { frmConfig = this; }
  void LoadConfigFile(const std::string& fileName) override {
    loaded.push_back(fileName);
    if (failLoad) throw std::runtime_error("unreadable configuration");
    if (FileExists(fileName)) FConfigFileName = fileName;
  }
  std::string ControlText(const std::string&) const override { return {}; }
  bool ControlChecked(const std::string&) const override { return false; }

  bool failLoad = false;
  std::vector<std::string> loaded;
};

// Points the registry at a fresh folder for the life of the object.
class ScopedRegistry {
 public:
  ScopedRegistry() : saved_(tavrel::RegistryFolder()) { tavrel::SetRegistryFolder(dir.Path()); }
  ~ScopedRegistry() { tavrel::SetRegistryFolder(saved_); }
  tavrel::testing::TempDir dir;

 private:
  std::string saved_;
};

// Writes one registry value (HKEY_CURRENT_USER unless told otherwise).
inline void PutValue(const std::string& key, const std::string& name, const std::string& value,
                     tavrel::RootKey root = tavrel::RootKey::CurrentUser) {
  tavrel::TRegistry reg(root);
  reg.OpenKey(key, true);
  reg.WriteString(name, value);
}

inline std::string GetValue(const std::string& key, const std::string& name,
                            tavrel::RootKey root = tavrel::RootKey::CurrentUser) {
  tavrel::TRegistry reg(root);
  if (!reg.OpenKey(key, false)) return "<no key>";
  if (!reg.ValueExists(name)) return "<absent>";
  return reg.ReadString(name);
}

// Runs action on the modal dialog that the code under test is about to
// open, from inside that dialog's event loop.  The action must close the
// dialog (or arrange for it to close).  Should no dialog appear, or the
// action leave it open, the dialogs are rejected after a while so that the
// test fails instead of hanging.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> action) : action_(std::move(action)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    timer_.start();
  }
  ~ModalDriver() { timer_.stop(); }
  bool ran() const { return ran_; }

 private:
  void tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && !ran_ && modal != lastSeen_) {
      ran_ = true;
      lastSeen_ = modal;
      action_(modal);
      return;
    }
    if (++ticks_ > 1000) {  // about ten seconds: give up rather than block
      ADD_FAILURE() << "a modal dialog was not answered";
      timer_.stop();
      while (QWidget* w = QApplication::activeModalWidget()) {
        w->close();
        if (QApplication::activeModalWidget() == w) break;
      }
    }
  }

  std::function<void(QWidget*)> action_;
  QTimer timer_;
  QWidget* lastSeen_ = nullptr;
  bool ran_ = false;
  int ticks_ = 0;
};

}  // namespace platform_test
