#pragma once
// UTF-8 (the program's text) to and from UTF-16 (the wide-character Win32 API).

#include <string>

namespace vesk::settings {

std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);

}  // namespace vesk::settings
