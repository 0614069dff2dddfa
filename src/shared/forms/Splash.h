// The start-up splash screen: a borderless white window in the middle of the
// screen with the program's picture, which closes itself after an interval.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QTimer;

class TfrmSplash : public QDialog {
  Q_OBJECT
 public:
  // programTitle picks the picture ("Askery" -> the Askery splash);
  // intervalMs is how long the splash stays up once shown.
  TfrmSplash(const std::string& programTitle, int intervalMs, QWidget* parent = nullptr);
  ~TfrmSplash() override;

  QLabel* imgSplash = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void Timer1Timer();
};

// Resource path of a program's splash picture.
std::string SplashPicturePath(const std::string& programTitle);
