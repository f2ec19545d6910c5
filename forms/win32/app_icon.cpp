#include "forms/win32/app_icon.h"

#include <string>
#include <variant>

namespace vesk::forms::win32 {
namespace {

using ResourceName = std::variant<std::monostate, WORD, std::wstring>;

BOOL CALLBACK takeFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  auto& found = *reinterpret_cast<ResourceName*>(param);
  if (IS_INTRESOURCE(name)) {
    found = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
  } else {
    found = std::wstring(name);  // only valid during the callback
  }
  return FALSE;
}

HICON load(int cx, int cy) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  ResourceName found;
  EnumResourceNamesW(module, RT_GROUP_ICON, takeFirst, reinterpret_cast<LONG_PTR>(&found));
  LPCWSTR name = nullptr;
  if (const WORD* id = std::get_if<WORD>(&found)) name = MAKEINTRESOURCEW(*id);
  if (const std::wstring* text = std::get_if<std::wstring>(&found)) name = text->c_str();
  HANDLE icon = name ? LoadImageW(module, name, IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR) : nullptr;
  if (!icon)
    icon = LoadImageW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */, IMAGE_ICON, cx, cy,
                      LR_SHARED);
  return static_cast<HICON>(icon);
}

}  // namespace

HICON appIcon(bool small) {
  static const HICON big = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  static const HICON little = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  return small ? little : big;
}

}  // namespace vesk::forms::win32
