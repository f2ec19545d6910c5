#include "settings/convert.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vesk::settings {
namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

// "&HFF" and "&O17": like the classic number parser, a value that fits 16 bits is read as a
// 16-bit two's-complement integer ("&HFFFF" is -1), one that fits 32 bits as a 32-bit one.
std::optional<double> parseRadix(std::string_view s) {
  if (s.size() < 3 || s[0] != '&') return std::nullopt;
  const char tag = static_cast<char>(s[1] | 0x20);
  const int base = tag == 'h' ? 16 : tag == 'o' ? 8 : 0;
  if (base == 0) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : s.substr(2)) {
    int digit = -1;
    if (isDigit(c)) digit = c - '0';
    if (base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') digit = (c | 0x20) - 'a' + 10;
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  if (value <= 0xFFFFu) return static_cast<double>(static_cast<std::int16_t>(value));
  return static_cast<double>(static_cast<std::int32_t>(value));
}

}  // namespace

std::optional<double> toDouble(std::string_view text, char decimalSeparator) {
  const std::string_view s = trim(text);
  if (!s.empty() && s[0] == '&') return parseRadix(s);

  // Rewrite into the plain form that from_chars reads, checking the shape on the way. The
  // decimal magnitude tells an overflow (an error) from an underflow (a zero).
  std::string plain;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') plain += '-';
    ++i;
  }
  int digits = 0;
  long magnitude = 0;  // position of the leading significant digit, relative to the point
  bool significant = false;
  for (; i < s.size() && isDigit(s[i]); ++i, ++digits) {
    plain += s[i];
    significant = significant || s[i] != '0';
    if (significant) ++magnitude;
  }
  if (i < s.size() && (s[i] == '.' || s[i] == decimalSeparator)) {
    plain += '.';
    for (++i; i < s.size() && isDigit(s[i]); ++i, ++digits) {
      plain += s[i];
      if (!significant && s[i] == '0') --magnitude;
      significant = significant || s[i] != '0';
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && ((s[i] | 0x20) == 'e' || (s[i] | 0x20) == 'd')) {
    plain += 'e';
    ++i;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) plain += s[i++];
    int expDigits = 0;
    long exponent = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++expDigits) {
      plain += s[i];
      exponent = std::min(exponent * 10 + (s[i] - '0'), 1000000L);
    }
    if (expDigits == 0) return std::nullopt;
    magnitude += negative ? -exponent : exponent;
  }
  if (i != s.size()) return std::nullopt;

  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec == std::errc::result_out_of_range && magnitude <= 0) return 0.0;
  if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<float> toSingle(std::string_view text, char decimalSeparator) {
  const auto d = toDouble(text, decimalSeparator);
  if (!d) return std::nullopt;
  const float f = static_cast<float>(*d);
  if (!std::isfinite(f) || std::fabs(*d) > FLT_MAX) return std::nullopt;
  return f;
}

std::optional<std::int16_t> toInt16(std::string_view text, char decimalSeparator) {
  const auto d = toDouble(text, decimalSeparator);
  if (!d) return std::nullopt;
  const double r = std::nearbyint(*d);  // the default rounding mode: half to even
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::string formatSingle(float value) {
  if (value == std::trunc(value) && std::fabs(value) < 1e9f) {
    return std::to_string(static_cast<long long>(value));
  }
  // The shortest text that reads back as the same single. printf rather than std::to_chars,
  // whose floating-point tables would add 170 KB to the static Windows program; printf writes
  // the C locale's decimal point, which becomes '.' so that every locale reads it back.
  const char* point = std::localeconv()->decimal_point;
  std::string text;
  for (int precision = 1; precision <= 9; ++precision) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, static_cast<double>(value));
    text = buffer;
    if (const auto at = text.find(point); *point != '\0' && at != std::string::npos) {
      text.replace(at, std::strlen(point), ".");
    }
    if (toSingle(text, '.') == value) break;
  }
  return text;
}

std::string formatInt(int value) {
  return std::to_string(value);
}

}  // namespace vesk::settings
