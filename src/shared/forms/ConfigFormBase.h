// What the shared dialogs and services use of a program's configuration
// window.  Each program's TfrmConfig derives from TConfigFormBase.
#pragma once

#include <QDialog>
#include <string>

class TConfigFormBase : public QDialog {
  Q_OBJECT
 public:
  explicit TConfigFormBase(QWidget* parent = nullptr);
  ~TConfigFormBase() override;

  // Loads a configuration file of either format into the window; a file that
  // does not exist is skipped without a message.
  virtual void LoadConfigFile(const std::string& fileName) = 0;

  // Text of a named box ("editGraphicURL") or state of a named check box;
  // "" and false when this program's window has no such control.
  virtual std::string ControlText(const std::string& name) const = 0;
  virtual bool ControlChecked(const std::string& name) const = 0;

  // Path of the configuration file loaded into or last saved from the
  // window; "" until then.
  std::string FConfigFileName;
};

// The program's one configuration window (set when it is created).
extern TConfigFormBase* frmConfig;
