#pragma once
#include <string>
#include <string_view>

namespace vesk::settings {

// A text as one short line of a message: in double quotes, control bytes, quotes and
// backslashes escaped, and cut to about `limit` characters with "..." after the cut.
std::string quoted(std::string_view text, std::size_t limit = 60);

}  // namespace vesk::settings
