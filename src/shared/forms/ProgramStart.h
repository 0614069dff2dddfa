// The start-up every Tavrel program shares: installs the desktop services,
// creates the program's forms once, in the order given, and runs the
// message loop.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

// Creates one form owned by `owner` (nullptr for the main window).
using TFormMaker = QWidget* (*)(QWidget* owner);

template <class TForm>
QWidget* MakeForm(QWidget* owner) {
  return new TForm(owner);
}

struct TProgramStart {
  std::string title;  // application name; picks the icon and splash picture
  int splashMs = 0;   // how long the splash screen stays up
  // The forms in creation order; the first is the main window, the rest are
  // its children and go with it.
  std::vector<TFormMaker> forms;
};

int RunTavrelProgram(int argc, char** argv, const TProgramStart& program);
