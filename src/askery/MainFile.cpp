// TfrmMain's data-file members: saving and loading ".aky" quizzes, the old
// line-based format, and Append File.
#include "askery/Main.h"

bool TfrmMain::SaveAsXML(const std::string& /*fileName*/) { return false; }
void TfrmMain::LoadFile(const std::string& /*fileName*/) {}
void TfrmMain::LoadXMLFile(const std::string& /*fileText*/) {}
void TfrmMain::LoadXMLQuestions(const std::string& /*questionsText*/, int /*firstNumber*/) {}
void TfrmMain::LoadOldFile(const std::string& /*fileName*/) {}
void TfrmMain::mnuAppendFileClick() {}
