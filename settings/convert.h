#pragma once
// Text <-> number conversions of the stored format. They accept what people write into the
// store by hand: surrounding spaces, a sign, the locale's decimal separator as well as '.',
// an exponent ('E' or 'D'), and "&H" hex or "&O" octal. Anything else does not convert.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk::settings {

std::optional<double> toDouble(std::string_view text, char decimalSeparator);
// Fails outside the single-precision range.
std::optional<float> toSingle(std::string_view text, char decimalSeparator);
// Rounds half to even; fails outside -32768..32767.
std::optional<std::int16_t> toInt16(std::string_view text, char decimalSeparator);

// Decimal text of a single-precision number: whole numbers as plain digits ("1000", "-15"),
// others with '.', which every locale reads back.
std::string formatSingle(float value);
std::string formatInt(int value);

}  // namespace vesk::settings
