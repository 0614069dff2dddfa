// The about box: the program's icon, name and version, a short notice and an
// OK button.
#pragma once

#include <QDialog>
#include <QIcon>
#include <string>

class QLabel;
class QPushButton;

class TfrmTLAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmTLAbout(QWidget* parent = nullptr);
  ~TfrmTLAbout() override;

  // Fills the caption, the program line and the notice from the application
  // title (the main window's) and the program version.
  void AssignStrings();

  QLabel* imgProgIcon = nullptr;
  QLabel* lblAppTitle = nullptr;
  QLabel* lblNotice = nullptr;
  QPushButton* btnOK = nullptr;
};

// The program's icon as the about box and the windows show it.
QIcon TavrelProgramIcon(const std::string& programTitle);

// The program's one about box (set when it is created).
extern TfrmTLAbout* frmTLAbout;
