#include "platform/core/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace tavrel {

namespace {
IPlatform* g_platform = nullptr;
int g_busyDepth = 0;
std::vector<std::string> g_args;
std::string g_programFolder;
}  // namespace

IPlatform& platform() {
  if (!g_platform) {
    std::fputs("tavrel: no platform installed\n", stderr);
    std::abort();
  }
  return *g_platform;
}

unsigned DefaultButtonOf(unsigned buttons, unsigned asked) {
  const unsigned answers = buttons & (mbYes | mbNo | mbOK | mbCancel);
  if (answers == 0) return mbOK;
  if ((asked & answers) != 0 && (asked & (asked - 1)) == 0) return asked;
  if (answers & mbYes) return mbYes;
  if (answers & mbOK) return mbOK;
  return answers & (~answers + 1);  // the lowest: the first in the row
}

ModalResult EscapeAnswerOf(unsigned buttons) {
  if (buttons & mbCancel) return ModalResult::Cancel;
  if (buttons & mbNo) return ModalResult::No;
  return ModalResult::OK;
}

ModalResult ResultOfButton(unsigned button) {
  switch (button) {
    case mbYes: return ModalResult::Yes;
    case mbNo: return ModalResult::No;
    case mbOK: return ModalResult::OK;
    case mbCancel: return ModalResult::Cancel;
    default: return ModalResult::None;
  }
}

void setPlatform(IPlatform* p) {
  g_platform = p;
  g_busyDepth = 0;
}

BusyCursor::BusyCursor() {
  if (g_busyDepth++ == 0) platform().setBusy(true);
}

BusyCursor::~BusyCursor() { release(); }

void BusyCursor::release() {
  if (!active_) return;
  active_ = false;
  if (g_busyDepth > 0 && --g_busyDepth == 0) platform().setBusy(false);
}

void setCommandLine(const std::vector<std::string>& args) { g_args = args; }

int paramCount() { return g_args.empty() ? 0 : static_cast<int>(g_args.size()) - 1; }

std::string paramStr(int index) {
  if (index < 0 || index >= static_cast<int>(g_args.size())) return {};
  return g_args[static_cast<size_t>(index)];
}

std::string programFolder() { return g_programFolder; }

void setProgramFolder(const std::string& folder) {
  g_programFolder = folder;
  if (!g_programFolder.empty() && g_programFolder.back() != '/') g_programFolder += '/';
}

}  // namespace tavrel
