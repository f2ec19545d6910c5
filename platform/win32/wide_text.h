#pragma once
// UTF-8 (the program's text) to UTF-16 (the wide Win32 API) and back.

#include <string>

namespace vesk::win32 {

std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);

}  // namespace vesk::win32
