#include "settings/quote.h"

#include <cstdio>

namespace vesk::settings {

std::string quoted(std::string_view text, std::size_t limit) {
  std::string out = "\"";
  std::size_t shown = 0;
  for (const char c : text) {
    if (shown >= limit) {
      out += "...";
      break;
    }
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    } else {
      out += c;
    }
    ++shown;
  }
  return out + '"';
}

}  // namespace vesk::settings
