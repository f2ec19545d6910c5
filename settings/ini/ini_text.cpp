#include "settings/ini/ini_text.h"

#include <cstdio>

namespace vesk::settings::ini {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
  std::size_t begin, end, next;  // text[begin, end) without its line end; next line at next
};

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    const std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
    std::size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > pos && text[end - 1] == '\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

bool isSpace(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && (isSpace(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
  line = trim(line);
  return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// Where the value of a "key=value" line for this key starts, or npos.
std::size_t valueStart(std::string_view line, std::string_view key) {
  if (isComment(line)) return std::string_view::npos;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos || trim(line.substr(0, eq)) != key) {
    return std::string_view::npos;
  }
  return eq + 1;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One backslash escape starting after the backslash at raw[i]; returns the index after it.
std::size_t unescape(std::string_view raw, std::size_t i, std::string& out) {
  const char c = raw[i];
  static constexpr std::string_view from = "abfnrtv", to = "\a\b\f\n\r\t\v";
  if (const auto k = from.find(c); k != std::string_view::npos) {
    out += to[k];
    return i + 1;
  }
  if (c == 'x') {
    int value = 0;
    std::size_t j = i + 1;
    for (; j < raw.size() && j < i + 3 && hexDigit(raw[j]) >= 0; ++j) {
      value = value * 16 + hexDigit(raw[j]);
    }
    if (j == i + 1)
      out += 'x';
    else
      out += static_cast<char>(value);
    return j;
  }
  if (c >= '0' && c <= '7') {
    int value = 0;
    std::size_t j = i;
    for (; j < raw.size() && j < i + 3 && raw[j] >= '0' && raw[j] <= '7'; ++j) {
      value = value * 8 + (raw[j] - '0');
    }
    out += static_cast<char>(value);
    return j;
  }
  out += c;  // \\ \" \' \? and anything else: the character itself
  return i + 1;
}

// Quotes and escapes removed; unquoted blanks around the value and its commas dropped.
std::string decodeValue(std::string_view raw) {
  std::string out;
  std::size_t kept = 0;  // out[0, kept) holds quoted or escaped text that must not be trimmed
  bool quoted = false;
  auto trimTail = [&] {
    while (out.size() > kept && isSpace(out.back())) out.pop_back();
  };
  for (std::size_t i = 0; i < raw.size();) {
    const char c = raw[i];
    if (c == '"') {
      quoted = !quoted;
      ++i;
      kept = out.size();
    } else if (c == '\\' && i + 1 < raw.size()) {
      i = unescape(raw, i + 1, out);
      kept = out.size();
    } else if (c == ',' && !quoted) {
      trimTail();
      out += ',';
      kept = out.size();
      for (++i; i < raw.size() && isSpace(raw[i]);) ++i;
    } else if (isSpace(c) && !quoted && out.size() == kept && (out.empty() || out.back() == ',')) {
      ++i;  // a blank before the value or after a comma
    } else {
      out += c;
      ++i;
      if (quoted) kept = out.size();
    }
  }
  trimTail();
  return out;
}

std::string_view lineEnd(std::string_view text, const std::vector<Line>& lines) {
  for (const auto& l : lines) {
    if (l.next > l.end) return text.substr(l.end, l.next - l.end);
  }
  return "\n";
}

}  // namespace

std::string encodeValue(std::string_view value) {
  std::string out;
  bool quote = !value.empty() && (isSpace(value.front()) || isSpace(value.back()));
  for (const char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
      quote = true;
    } else {
      if (c == ',' || c == ';' || c == '=' || c == '#') quote = true;
      out += c;
    }
  }
  return quote ? '"' + out + '"' : out;
}

std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
  std::optional<std::string> found;
  bool inSection = false;
  for (const auto& l : splitLines(text)) {
    const auto line = text.substr(l.begin, l.end - l.begin);
    if (const auto name = sectionName(line)) {
      inSection = *name == section;
    } else if (inSection) {
      if (const auto at = valueStart(line, key); at != std::string_view::npos) {
        found = decodeValue(line.substr(at));
      }
    }
  }
  return found;
}

std::string withValues(std::string_view text, std::string_view section, const Entries& entries) {
  const auto lines = splitLines(text);
  // Per key, the line to replace; and where a new key goes: after the last non-blank line of
  // the last [section].
  std::vector<std::optional<std::size_t>> target(entries.size());
  std::optional<std::size_t> sectionEnd;
  bool inSection = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    if (const auto name = sectionName(line)) {
      inSection = *name == section;
      if (inSection) sectionEnd = i;
      continue;
    }
    if (!inSection) continue;
    if (!trim(line).empty()) sectionEnd = i;
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (valueStart(line, entries[k].first) != std::string_view::npos) target[k] = i;
    }
  }

  const std::string eol(lineEnd(text, lines));
  std::string added;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (!target[k]) added += entries[k].first + '=' + encodeValue(entries[k].second) + eol;
  }

  std::string out;
  out.reserve(text.size() + added.size() + 64);
  out.append(text.substr(0, lines.empty() ? text.size() : lines.front().begin));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& l = lines[i];
    const auto line = text.substr(l.begin, l.end - l.begin);
    std::optional<std::size_t> replaced;
    for (std::size_t k = 0; k < entries.size(); ++k) {
      if (target[k] == i) replaced = k;
    }
    if (replaced) {
      std::size_t at = valueStart(line, entries[*replaced].first);
      while (at < line.size() && isSpace(line[at])) ++at;  // "Key = value" keeps its blanks
      out.append(line.substr(0, at));
      out += encodeValue(entries[*replaced].second);
      out.append(text.substr(l.end, l.next - l.end));
    } else {
      out.append(text.substr(l.begin, l.next - l.begin));
    }
    if (sectionEnd == i && !added.empty()) {
      if (l.next == l.end) out += eol;  // the last line had no line end
      out += added;
    }
  }
  if (!sectionEnd && !added.empty()) {
    if (!out.empty() && out.back() != '\n') out += eol;
    if (!lines.empty()) out += eol;
    out += '[' + std::string(section) + ']' + eol + added;
  }
  return out;
}

}  // namespace vesk::settings::ini
