#include "shared/forms/Splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cctype>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"

std::string SplashPicturePath(const std::string& programTitle) {
  std::string lower;
  for (char c : programTitle) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ":/tavrel/splash/" + lower + ".png";
}

TfrmSplash::TfrmSplash(const std::string& programTitle, int intervalMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(tavrel::toQString(programTitle));
  setModal(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);

  imgSplash = new QLabel(this);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setAlignment(Qt::AlignCenter);
  tavrel::InitResources();
  QPixmap picture(tavrel::toQString(SplashPicturePath(programTitle)));
  if (picture.isNull()) {
    // A program without a picture of its own still says what is starting.
    imgSplash->setText(QStringLiteral("<p style='font-size:28pt'><b>Tavrel</b></p><p style='font-size:18pt'>%1</p>")
                           .arg(tavrel::toQString(programTitle).toHtmlEscaped()));
    imgSplash->setFixedSize(400, 220);
  } else {
    imgSplash->setPixmap(picture);
    // The picture control takes the picture's size and the window the
    // control's.
    imgSplash->setFixedSize(picture.deviceIndependentSize().toSize());
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(imgSplash);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(intervalMs > 0 ? intervalMs : 1);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
  // The interval counts from the moment the splash is up.
  Timer1->start();
}

void TfrmSplash::Timer1Timer() {
  Timer1->stop();
  close();
}
