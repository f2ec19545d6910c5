// Stands in for the system's on-screen keyboard in the end-to-end test: leaves a marker file
// beside itself, holding its command line in UTF-16, and ends.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring marker(path, length);
  marker.replace(marker.find_last_of(L'\\') + 1, std::wstring::npos, L"vesk-osk-started.txt");
  FILE* file = _wfopen(marker.c_str(), L"wb");
  if (!file) return 1;
  const wchar_t* line = GetCommandLineW();
  std::fwrite(line, sizeof(wchar_t), std::wcslen(line), file);
  std::fclose(file);
  return 0;
}
