#include "wing/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace velarix {

namespace {

// Code points of the bytes 0x80..0x9F. The undefined bytes map to the C1
// control characters of the same value.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t codePointOfByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControlBlock[b - 0x80];
  return b;  // ASCII and 0xA0..0xFF coincide with Latin-1
}

// The Windows-1252 byte of a code point, or -1.
int byteOfCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
    if (kHighControlBlock[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
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

// Decodes one UTF-8 character at text[i]; advances i. Returns false for an
// invalid sequence (overlong forms, surrogates and truncation included).
bool decodeUtf8(std::string_view text, std::size_t& i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  int length = 0;
  char32_t minimum = 0;
  if (b0 < 0x80) {
    cp = b0;
    ++i;
    return true;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2;
    cp = b0 & 0x1F;
    minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3;
    cp = b0 & 0x0F;
    minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4;
    cp = b0 & 0x07;
    minimum = 0x10000;
  } else {
    return false;
  }
  if (i + static_cast<std::size_t>(length) > text.size()) return false;
  for (int k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  i += static_cast<std::size_t>(length);
  return true;
}

std::string codePointName(char32_t cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
  return buffer;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  char32_t cp = 0;
  while (i < text.size()) {
    if (!decodeUtf8(text, i, cp)) return false;
  }
  return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) appendUtf8(out, codePointOfByte(static_cast<unsigned char>(c)));
  return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t start = i;
    char32_t cp = 0;
    if (!decodeUtf8(utf8, i, cp)) {
      throw TextEncodingError("Ungültige UTF-8-Folge an Byte " + std::to_string(start), start);
    }
    const int b = byteOfCodePoint(cp);
    if (b < 0) {
      throw TextEncodingError("Das Zeichen " + codePointName(cp) + " (\"" +
                                  std::string(utf8.substr(start, i - start)) +
                                  "\") hat keine Form in Windows-1252",
                              start);
    }
    out += static_cast<char>(b);
  }
  return out;
}

bool isWindows1252Encodable(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = 0;
    if (!decodeUtf8(utf8, i, cp) || byteOfCodePoint(cp) < 0) return false;
  }
  return true;
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      lines.push_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace velarix
