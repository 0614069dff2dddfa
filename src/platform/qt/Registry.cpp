#include "platform/qt/Registry.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <cstdlib>
#include <stdexcept>

#include "platform/qt/QtText.h"

namespace tavrel {

namespace {

std::string g_registryFolder;  // set by SetRegistryFolder; "" = not set

// INI has no unnamed values; the key's default value is kept under this name,
// which no program uses for a value of its own.
const QString kDefaultValueName = QStringLiteral("(Default)");

std::string withTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

QString storeFile(RootKey root) {
  const char* name =
      root == RootKey::ClassesRoot ? "HKEY_CLASSES_ROOT.ini" : "HKEY_CURRENT_USER.ini";
  return pathToQString(RegistryFolder() + name);
}

// "Software\Corvane\Tavrel\" -> "Software/Corvane/Tavrel": backslashes
// separate the levels; empty levels (doubled or edge separators) are dropped.
QString groupPath(const std::string& key) {
  QStringList parts;
  std::string part;
  auto flush = [&] {
    if (!part.empty()) parts << toQString(part);
    part.clear();
  };
  for (char c : key) {
    if (c == '\\' || c == '/') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  return parts.join(QLatin1Char('/'));
}

QString valueName(const std::string& name) {
  return name.empty() ? kDefaultValueName : toQString(name);
}

bool groupHasContent(QSettings& s, const QString& group) {
  if (group.isEmpty()) return !s.allKeys().isEmpty();
  s.beginGroup(group);
  const bool found = !s.childKeys().isEmpty() || !s.childGroups().isEmpty();
  s.endGroup();
  return found;
}

}  // namespace

TRegistry::TRegistry(RootKey root) : root_(root) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(RootKey root) {
  root_ = root;
  CloseKey();
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  CloseKey();
  // An INI file keeps no empty sections, so a created key exists from its
  // first value on; opening it for writing is all that creating needs.
  if (!canCreate && !KeyExists(key)) return false;
  key_ = groupPath(key).toStdString();
  open_ = true;
  return true;
}

void TRegistry::CloseKey() {
  key_.clear();
  open_ = false;
}

bool TRegistry::KeyExists(const std::string& key) const {
  QSettings s(storeFile(root_), QSettings::IniFormat);
  return groupHasContent(s, groupPath(key));
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!open_) return false;
  QSettings s(storeFile(root_), QSettings::IniFormat);
  s.beginGroup(QString::fromStdString(key_));
  return s.contains(valueName(name));
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!open_) return {};
  QSettings s(storeFile(root_), QSettings::IniFormat);
  s.beginGroup(QString::fromStdString(key_));
  const QVariant v = s.value(valueName(name));
  if (!v.isValid()) return {};
  // A hand-edited file may hold an unquoted list ("a, b"); give it back as
  // the text it was.
  if (v.typeId() == QMetaType::QStringList) return fromQString(v.toStringList().join(", "));
  return fromQString(v.toString());
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!open_) throw std::runtime_error("Registry: no key is open to write " + name);
  const QString file = storeFile(root_);
  const std::string folder = RegistryFolder();
  if (!QDir().mkpath(pathToQString(folder)))
    throw std::runtime_error("Failed to create the settings folder " + folder);
  QSettings s(file, QSettings::IniFormat);
  s.beginGroup(QString::fromStdString(key_));
  s.setValue(valueName(name), toQString(value));
  s.endGroup();
  s.sync();
  if (s.status() != QSettings::NoError)
    throw std::runtime_error("Failed to set data for '" + name + "' in " + fromQString(file));
}

void SetRegistryFolder(const std::string& folder) { g_registryFolder = withTrailingSlash(folder); }

std::string RegistryFolder() {
  if (!g_registryFolder.empty()) return g_registryFolder;
  if (const char* env = std::getenv("TAVREL_REGISTRY_DIR"); env && *env)
    return withTrailingSlash(pathFromQString(QString::fromLocal8Bit(env)));
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = pathFromQString(QString::fromLocal8Bit(xdg));
  } else {
    base = pathFromQString(QDir::homePath()) + "/.config";
  }
  if (!base.empty() && base.back() == '/') base.pop_back();
  return base + "/Corvane/Tavrel/";
}

}  // namespace tavrel
