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

std::optional<std::string> RegistryStore::get(const std::string& app, const std::string& section,
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
}

}  // namespace vesk::settings
