// The configuration in force as plain data: the texts of a configuration
// window's boxes and the states of its check boxes, keyed by control name
// ("editGuessCorrect", "mmoWelcome", "chkIncludeHint").  The page builders
// read it; the configuration window fills it.
#pragma once

#include <map>
#include <string>

struct ConfigValues {
  std::map<std::string, std::string> text;
  std::map<std::string, bool> checked;

  // "" and false for a name that is not held.
  std::string Text(const std::string& name) const {
    auto it = text.find(name);
    return it == text.end() ? std::string() : it->second;
  }
  bool Checked(const std::string& name) const {
    auto it = checked.find(name);
    return it != checked.end() && it->second;
  }
};
