// The quiz program Askery.
#include "askery/forms/Config.h"
#include "askery/forms/Main.h"
#include "shared/forms/Arrange.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ProgramStart.h"
#include "shared/forms/ReadingText.h"
#include "shared/forms/Replace.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"
#include "shared/forms/WhatNumber.h"

int main(int argc, char** argv) {
  // The template editor reads the main window's template folder and flags,
  // so it comes after it.
  return RunTavrelProgram(argc, argv,
                          {"Askery", 3000,
                           {MakeForm<askery::TfrmMain>, MakeForm<askery::TfrmConfig>, MakeForm<TfrmSourceFiles>,
                            MakeForm<TfrmArrange>, MakeForm<TfrmInsertLink>, MakeForm<TfrmAddReadingText>,
                            MakeForm<TfrmTLAbout>, MakeForm<TfrmWhatNumber>, MakeForm<TfrmReplace>}});
}
