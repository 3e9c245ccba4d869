// Conversion between the program's internal UTF-8 and the Windows-1252 code
// page of the files it shares with users (wing files, settings file, report),
// and the splitting of file text into lines.
//
// Decoding never fails: every byte has a character. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the
// control characters U+0081 ... U+009D of the same value, as the Windows
// conversion functions do, so that decoding followed by encoding gives back
// every byte sequence unchanged.
//
// Encoding refuses characters that have no Windows-1252 form (for example
// "Ω" or "→") instead of writing a replacement: a silently altered airfoil
// name or directory in a saved file would point at a different file.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velarix {

// A text that cannot be encoded. The message names the character (U+XXXX)
// and its byte offset in the text.
class TextEncodingError : public std::runtime_error {
 public:
  TextEncodingError(std::string message, std::size_t offset)
      : std::runtime_error(std::move(message)), offset_(offset) {}
  // Byte offset of the offending character in the UTF-8 text.
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Whether the bytes are valid UTF-8 (no overlong forms or surrogates).
bool isValidUtf8(std::string_view text);

// Windows-1252 bytes -> UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-8 -> Windows-1252 bytes. Throws TextEncodingError for a character
// without a Windows-1252 form and for invalid UTF-8.
std::string utf8ToWindows1252(std::string_view utf8);

// Whether the UTF-8 text can be encoded by utf8ToWindows1252.
bool isWindows1252Encodable(std::string_view utf8);

// Splits a text into lines ended by CR LF, LF or a lone CR. The text after
// the last line end is a last line when it is not empty, so "a\r\n\r\n" gives
// "a" and "".
std::vector<std::string_view> splitLines(std::string_view text);

// Joins lines, each followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace velarix
