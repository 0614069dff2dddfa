// The matching program Pairo.
#include "pairo/forms/Config.h"
#include "pairo/forms/Main.h"
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
                          {"Pairo", 2000,
                           {MakeForm<pairo::TfrmMain>, MakeForm<pairo::TfrmConfig>, MakeForm<TfrmInsertLink>,
                            MakeForm<TfrmAddReadingText>, MakeForm<TfrmWhatNumber>, MakeForm<TfrmTLAbout>,
                            MakeForm<TfrmSourceFiles>, MakeForm<TfrmArrange>, MakeForm<TfrmReplace>}});
}
