// The crossword program Gridel.
#include "gridel/forms/AddClues.h"
#include "gridel/forms/Config.h"
#include "gridel/forms/Main.h"
#include "shared/forms/InsertLink.h"
#include "shared/forms/ProgramStart.h"
#include "shared/forms/SourceEdit.h"
#include "shared/forms/TLAbout.h"

int main(int argc, char** argv) {
  // The clue dialog right after the main window; the template editor last,
  // as it reads the main window's template folder and flags.
  return RunTavrelProgram(argc, argv,
                          {"Gridel", 2000,
                           {MakeForm<gridel::TfrmMain>, MakeForm<gridel::TfrmAddClues>, MakeForm<gridel::TfrmConfig>,
                            MakeForm<TfrmInsertLink>, MakeForm<TfrmTLAbout>, MakeForm<TfrmSourceFiles>}});
}
