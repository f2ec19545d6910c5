// What a screen reader gets from the program through MSAA, one object a line:
//   screen_reader list          every shown control of its windows: "[role] name | state"
//   screen_reader listen FILE   appends such a line for each announced change of state
// The state is the description, or a check box's mark.

#include <windows.h>
// After <windows.h>.
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

FILE* heard = nullptr;

// "[role] name | state"; "" for a hidden object, unless `hidden` asks for it too.
std::string readAloud(IAccessible* object, VARIANT child, bool hidden) {
  BSTR name = nullptr, words = nullptr;
  VARIANT state{}, kind{};
  wchar_t role[64] = L"[";
  object->get_accName(child, &name);
  object->get_accDescription(child, &words);
  object->get_accState(child, &state);
  object->get_accRole(child, &kind);
  GetRoleTextW(kind.lVal, role + 1, 60);
  const bool checked = state.lVal & STATE_SYSTEM_CHECKED;
  std::wstring line = role + (L"] " + std::wstring(name ? name : L"")), word = words ? words : L"";
  if (kind.lVal == ROLE_SYSTEM_CHECKBUTTON) word = checked ? L"checked" : L"not checked";
  if (!word.empty()) line += L" | " + word;
  SysFreeString(name), SysFreeString(words);
  if ((state.lVal & STATE_SYSTEM_INVISIBLE) && !hidden) return "";
  return std::string(line.begin(), line.end());  // ASCII: our captions
}

// As a screen reader asks a control: its answer to WM_GETOBJECT, through COM.
BOOL CALLBACK listControl(HWND control, LPARAM) {
  IAccessible* object = nullptr;
  VARIANT self{};
  self.vt = VT_I4;
  if (SUCCEEDED(AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                           reinterpret_cast<void**>(&object)))) {
    const std::string line = readAloud(object, self, false);
    if (!line.empty()) std::printf("%s\n", line.c_str());
    object->Release();
  }
  return TRUE;
}

void CALLBACK changed(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* source = nullptr;
  VARIANT which{};
  if (FAILED(AccessibleObjectFromEvent(window, object, child, &source, &which))) return;
  std::fprintf(heard, "%s\n", readAloud(source, which, true).c_str());
  source->Release();
}

}  // namespace

int main(int argc, char** argv) {
  CoInitialize(nullptr);
  if (argc == 2 && std::string(argv[1]) == "list") {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"VeskLightsWindow", nullptr));) {
      listControl(w, 0), EnumChildWindows(w, listControl, 0);  // hidden ones say nothing
    }
    return 0;
  }
  if (argc != 3 || !(heard = std::fopen(argv[2], "ab"))) return 2;  // "\n", not "\r\n"
  setvbuf(heard, nullptr, _IONBF, 0);
  SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, changed,
                  0, 0, WINEVENT_OUTOFCONTEXT);
  std::fprintf(heard, "listening\n");
  for (MSG msg; GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
}
