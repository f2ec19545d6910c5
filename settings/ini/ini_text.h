#pragma once
// The INI text itself, without any file: finding a key's value and replacing or appending the
// lines of given keys while every other byte stays as it was (comments, other sections, blank
// lines, a byte-order mark, CRLF or LF line ends, values we cannot use).
//
// The format is the one earlier versions wrote through QSettings: "[Section]" headers, one
// "Key=value" line per key, a value with a comma (or other special characters) in double
// quotes with backslash escapes. Reading decodes those quotes and escapes in the value of the
// key asked for only; an unquoted comma list ("1,5" or "1, 5") reads back joined by ",".

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk::settings::ini {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The decoded value of the last "key=" line in [section], or nothing.
std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The text with each key's value set: the last line of that key in [section] gets the new value
// after its "=", a missing key is added after the section's last non-blank line, and a missing
// section is added at the end, in the file's own line ending.
std::string withValues(std::string_view text, std::string_view section, const Entries& entries);

// A value as a "Key=" line holds it: quoted and escaped only where a reader would otherwise
// change it.
std::string encodeValue(std::string_view value);

}  // namespace vesk::settings::ini
