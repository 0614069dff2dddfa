// The registry of the desktop, kept in INI files under the user's config
// folder: one file for HKEY_CURRENT_USER, another for HKEY_CLASSES_ROOT.
// Keys are backslash paths exactly as the programs name them
// ("Software\Corvane\Tavrel\Askery\Config"); every value is a string; the
// empty name is the key's default value.
#pragma once

#include <string>

namespace tavrel {

enum class RootKey { CurrentUser, ClassesRoot };

class TRegistry {
 public:
  explicit TRegistry(RootKey root = RootKey::CurrentUser);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  RootKey Root() const { return root_; }
  void SetRootKey(RootKey root);

  // Opens a key; with canCreate a missing key is created.  False when the key
  // does not exist (and may not be created).
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();
  bool KeyExists(const std::string& key) const;

  bool ValueExists(const std::string& name) const;
  // The value, or "" when it is absent or no key is open.
  std::string ReadString(const std::string& name) const;
  // Throws std::runtime_error when no key is open or the store cannot be
  // written.
  void WriteString(const std::string& name, const std::string& value);

 private:
  RootKey root_;
  std::string key_;
  bool open_ = false;
};

// Folder that holds the registry files.  Default: the user's config folder
// ($XDG_CONFIG_HOME or ~/.config) + "/Corvane/Tavrel"; the environment
// variable TAVREL_REGISTRY_DIR or this setter (tests) put it elsewhere.
void SetRegistryFolder(const std::string& folder);
std::string RegistryFolder();

}  // namespace tavrel
