#include "settings/registry/registry_store.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace vesk::settings {

using ::vesk::win32::toUtf8;
using ::vesk::win32::toWide;
namespace {

std::wstring sectionPath(const std::string& app, const std::string& section) {
  return L"Software\\VB and VBA Program Settings\\" + toWide(app) + L"\\" + toWide(section);
}

// Closes the key when it goes out of scope.
class KeyHandle {
 public:
  KeyHandle() = default;
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistryStore::~RegistryStore() {
  if (watched_) RegCloseKey(static_cast<HKEY>(watched_));
  if (changed_) CloseHandle(changed_);
}

// Asks to be told of the next change. The key watched is the deepest of the two that exists.
bool RegistryStore::watch() {
  if (watched_) RegCloseKey(static_cast<HKEY>(watched_));
  watched_ = nullptr;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings", 0, KEY_NOTIFY,
                    &key) != ERROR_SUCCESS &&
      RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) {
    return false;
  }
  watched_ = key;
  return RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                 changed_, TRUE) == ERROR_SUCCESS;
}

std::optional<std::uint64_t> RegistryStore::revision() {
  if (broken_) return std::nullopt;
  if (!changed_) {
    changed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    broken_ = !changed_ || !watch();
  } else if (WaitForSingleObject(changed_, 0) == WAIT_OBJECT_0) {
    // Asked again before anything is read: a change from here on sets the event anew.
    ++revision_;
    kept_.clear();
    broken_ = !watch();
  }
  if (broken_) return std::nullopt;
  return revision_;
}

std::optional<std::string> RegistryStore::get(const std::string& app, const std::string& section,
                                              const std::string& key) {
  if (!revision()) return read(app, section, key);
  const std::string name = app + '\0' + section + '\0' + key;
  if (const auto it = kept_.find(name); it != kept_.end()) return it->second;
  return kept_[name] = read(app, section, key);
}

std::optional<std::string> RegistryStore::read(const std::string& app, const std::string& section,
                                               const std::string& key) {
  // Opening, not creating: a read leaves no trace in the registry.
  KeyHandle handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, sectionPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                    handle.out()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring name = toWide(key);
  std::wstring buffer(64, L'\0');
  for (;;) {
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LONG result = RegQueryValueExW(handle.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result == ERROR_MORE_DATA) {
      // Room for the value and a terminator it may lack; ask again, it may have grown.
      buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
      continue;
    }
    if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    buffer.resize(bytes / sizeof(wchar_t));
    // The stored terminator is not part of the text; a value written without one has none.
    if (const auto end = buffer.find(L'\0'); end != std::wstring::npos) buffer.resize(end);
    return toUtf8(buffer);
  }
}

void RegistryStore::save(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& text) {
  KeyHandle handle;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionPath(app, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, handle.out(),
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring value = toWide(text);
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  RegSetValueExW(handle.get(), toWide(key).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  kept_.erase(app + '\0' + section + '\0' + key);  // read back as the registry has it
}

}  // namespace vesk::settings
