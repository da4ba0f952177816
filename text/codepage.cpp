#include "text/codepage.h"

#include <array>
#include <cstdint>

namespace orthavion {

namespace {

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F; the undefined
// ones keep their own number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char EncodeAnsiChar(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

std::size_t DecodeUtf8At(std::string_view s, std::size_t pos, char32_t& cp) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
  const unsigned char c = b(0);
  std::size_t len;
  char32_t min;
  if (c < 0x80) { cp = c; return 1; }
  if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
  else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
  else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
  else return 0;
  if (pos + len > s.size()) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}


std::string DecodeAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) out += ch;
    else if (c < 0xA0) AppendUtf8(out, kHigh[c - 0x80]);
    else AppendUtf8(out, c);
  }
  return out;
}

void AppendAnsi(std::string& out, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    // Runs of ASCII, the bulk of every protocol, are copied as they are.
    std::size_t ascii = pos;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    out.append(text, pos, ascii - pos);
    pos = ascii;
    if (pos == text.size()) break;
    char32_t cp;
    const std::size_t len = DecodeUtf8At(text, pos, cp);
    if (len == 0) {
      out += text[pos++];
    } else {
      out += EncodeAnsiChar(cp);
      pos += len;
    }
  }
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp;
    const std::size_t len = DecodeUtf8At(bytes, pos, cp);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

std::string FileNameText(std::string_view name) {
  // Folders of one path may have been named on different systems: each part
  // between separators is judged on its own.
  std::string text;
  for (std::size_t pos = 0;;) {
    const std::size_t slash = name.find('/', pos);
    const std::string_view part = name.substr(pos, slash == std::string_view::npos ? slash : slash - pos);
    text += IsValidUtf8(part) ? std::string(part) : DecodeAnsi(part);
    if (slash == std::string_view::npos) return text;
    text += '/';
    pos = slash + 1;
  }
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (char ch : text)
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace orthavion
