#include <limits>
#include <optional>

#include "wing/BigIni.h"
#include "wing/file_io.h"
#include "wing/long_scientific.h"
#include "wing/text_encoding.h"

namespace velarix {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

// The key of a line "key=value"; a line without "=" has no key.
std::optional<std::string_view> keyOf(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return line.substr(0, eq);
}

std::string_view valueOf(std::string_view line) { return line.substr(line.find('=') + 1); }

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::optional<long long> parseInteger(std::string_view s) {
  if (s.empty()) return std::nullopt;
  int base = 10;
  bool negative = false;
  std::size_t i = 0;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    i = 2;
  } else if (s[0] == '-' || s[0] == '+') {
    negative = s[0] == '-';
    i = 1;
  }
  if (i >= s.size()) return std::nullopt;
  unsigned long long value = 0;
  const unsigned long long limit = base == 16 ? 0xFFFFFFFFFFFFFFFFull : 9223372036854775808ull;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    if (value > (limit - static_cast<unsigned>(digit)) / static_cast<unsigned>(base))
      return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  if (base == 16) return static_cast<long long>(value);  // 0xFFFFFFFFFFFFFFFF is -1
  if (negative)
    return value == limit ? std::numeric_limits<long long>::min() : -static_cast<long long>(value);
  if (value == limit) return std::nullopt;
  return static_cast<long long>(value);
}

}  // namespace

TBigIniFile::TBigIniFile(const std::filesystem::path& fileName) { open(fileName); }

TBigIniFile::~TBigIniFile() {
  try {
    updateFile();
  } catch (...) {
    // Nothing can be reported from a destructor; callers that must know
    // call updateFile() themselves.
  }
}

void TBigIniFile::open(const std::filesystem::path& fileName) {
  updateFile();
  sections_.clear();
  modified_ = false;
  fileName_ = fileName;
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) return;
  try {
    setText(windows1252ToUtf8(readFileBytes(fileName, kMaxFileBytes)));
  } catch (const FileAccessError& e) {
    throw IniFileError(e.what());
  }
}

void TBigIniFile::discard() {
  sections_.clear();
  fileName_.clear();
  modified_ = false;
}

void TBigIniFile::setText(std::string_view utf8Text) {
  sections_.clear();
  modified_ = false;
  Section* current = nullptr;
  for (std::string_view line : splitLines(utf8Text)) {
    if (line == "\x1A") line = {};
    if (line.empty()) continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}});
      current = &sections_.back();
    } else if (current != nullptr) {
      current->lines.emplace_back(line);
    }
  }
}

std::string TBigIniFile::text() const {
  std::vector<std::string> lines;
  for (const Section& s : sections_) {
    if (s.lines.empty()) continue;
    lines.push_back("[" + s.name + "]");
    lines.insert(lines.end(), s.lines.begin(), s.lines.end());
    lines.emplace_back();
  }
  return joinLinesCrLf(lines);
}

std::vector<std::string> TBigIniFile::sectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

const TBigIniFile::Section* TBigIniFile::findSection(std::string_view name) const {
  for (const Section& s : sections_) {
    if (equalsIgnoringCase(s.name, name)) return &s;
  }
  return nullptr;
}

TBigIniFile::Section* TBigIniFile::findSection(std::string_view name) {
  for (Section& s : sections_) {
    if (equalsIgnoringCase(s.name, name)) return &s;
  }
  return nullptr;
}

const std::string* TBigIniFile::findLine(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  if (s == nullptr) return nullptr;
  for (const std::string& line : s->lines) {
    const auto k = keyOf(line);
    if (k && equalsIgnoringCase(*k, key)) return &line;
  }
  return nullptr;
}

bool TBigIniFile::sectionExists(std::string_view section) const {
  return findSection(section) != nullptr;
}

bool TBigIniFile::valueExists(std::string_view section, std::string_view key) const {
  return findLine(section, key) != nullptr;
}

std::string TBigIniFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const std::string* line = findLine(section, key);
  return std::string(line != nullptr ? valueOf(*line) : defaultValue);
}

long long TBigIniFile::readInteger(std::string_view section, std::string_view key,
                                   long long defaultValue) const {
  const std::string* line = findLine(section, key);
  if (line == nullptr) return defaultValue;
  return parseInteger(valueOf(*line)).value_or(defaultValue);
}

Real TBigIniFile::readReal(std::string_view section, std::string_view key,
                           Real defaultValue) const {
  const std::string* line = findLine(section, key);
  if (line == nullptr) return defaultValue;
  return parseLongReal(valueOf(*line)).value_or(defaultValue);
}

bool TBigIniFile::readBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
  const std::string* line = findLine(section, key);
  if (line == nullptr) return defaultValue;
  const std::string_view value = valueOf(*line);
  if (value == "True") return true;
  if (value == "False") return false;
  return defaultValue;
}

void TBigIniFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
  if (hasLineBreak(section) || section.empty() || section.find(']') != std::string_view::npos) {
    throw IniFileError("Ungültiger Abschnittsname \"" + std::string(section) + "\"");
  }
  if (hasLineBreak(key) || key.find('=') != std::string_view::npos ||
      (!key.empty() && key.front() == '[')) {
    throw IniFileError("Ungültiger Schlüssel \"" + std::string(key) + "\"");
  }
  if (hasLineBreak(value)) {
    throw IniFileError("Der Wert von \"" + std::string(key) +
                       "\" enthält einen Zeilenumbruch und kann nicht gespeichert werden");
  }
  std::string newLine = std::string(key) + "=" + std::string(value);
  Section* target = findSection(section);
  if (target == nullptr) {
    sections_.push_back(Section{std::string(section), {}});
    target = &sections_.back();
  }
  for (std::string& line : target->lines) {
    const auto k = keyOf(line);
    if (k && equalsIgnoringCase(*k, key)) {
      // The key keeps the spelling it has in the file.
      newLine.replace(0, key.size(), *k);
      if (line != newLine) {
        line = std::move(newLine);
        modified_ = true;
      }
      return;
    }
  }
  target->lines.push_back(std::move(newLine));
  modified_ = true;
}

void TBigIniFile::writeInteger(std::string_view section, std::string_view key, long long value) {
  writeString(section, key, std::to_string(value));
}

void TBigIniFile::writeReal(std::string_view section, std::string_view key, Real value) {
  try {
    writeString(section, key, formatLongScientific(value));
  } catch (const std::domain_error&) {
    throw IniFileError("Der Wert von \"" + std::string(key) + "\" ist keine endliche Zahl");
  }
}

void TBigIniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "True" : "False");
}

void TBigIniFile::updateFile() {
  if (!modified_ || fileName_.empty()) return;
  try {
    writeFileAtomically(fileName_, utf8ToWindows1252(text()));
  } catch (const FileAccessError& e) {
    throw IniFileError(e.what());
  } catch (const TextEncodingError& e) {
    throw IniFileError("Die Einstellungsdatei \"" + fileName_.string() +
                       "\" kann nicht geschrieben werden: " + e.what());
  }
  modified_ = false;
}

}  // namespace velarix
