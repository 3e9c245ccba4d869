// TBigIniFile: an in-memory copy of an INI file (the settings file).
//
// The content is an ordered list of sections, each a name and an ordered list
// of lines "key=value". Sections and keys are found without regard to ASCII
// letter case. Changes are kept in memory and written back to the file when
// another file is opened, when updateFile() is called and when the object is
// destroyed. On disk the file is Windows-1252 with CR LF line ends; reading
// accepts CR LF and LF. Inside, every text is UTF-8.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wing/real.h"

namespace velarix {

// A settings file that cannot be read or written, or a value that cannot be
// stored in it. The message names the file or the value.
class IniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TBigIniFile {
 public:
  // Larger settings files are refused rather than read into memory.
  static constexpr std::size_t kMaxFileBytes = 4u << 20;

  // An object without a file: nothing is read, nothing written back.
  TBigIniFile() = default;
  // Opens fileName (see open).
  explicit TBigIniFile(const std::filesystem::path& fileName);
  // Writes a modified content back. A failure here cannot be reported; call
  // updateFile() first where it matters.
  ~TBigIniFile();
  TBigIniFile(const TBigIniFile&) = delete;
  TBigIniFile& operator=(const TBigIniFile&) = delete;

  // Writes the current content back if it is modified, forgets it, and reads
  // fileName if that file exists (a missing file gives an empty content).
  // Throws IniFileError when the write-back fails or the file cannot be read;
  // the object then holds the new name and an empty, unmodified content, so
  // that an unreadable file is never overwritten by it.
  void open(const std::filesystem::path& fileName);
  // Forgets the content and the file name without writing anything.
  void discard();
  const std::filesystem::path& fileName() const { return fileName_; }
  bool modified() const { return modified_; }

  // Replaces the content by the lines of a UTF-8 text: lines consisting of
  // the character 26 (Ctrl-Z) count as empty, empty lines are skipped, a line
  // "[name]" opens a section, any other line belongs to the current section
  // (lines before the first section are dropped). Clears the modified flag.
  void setText(std::string_view utf8Text);
  // The content as it is written back: each non-empty section as "[name]",
  // its lines and an empty line, every line ended by CR LF (UTF-8).
  std::string text() const;

  std::vector<std::string> sectionNames() const;
  bool sectionExists(std::string_view section) const;
  bool valueExists(std::string_view section, std::string_view key) const;

  // Reads give the default for a missing section or key.
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Decimal, or hexadecimal after "0x" in any letter case ("0xFF" is 255);
  // a value that is no integer gives the default.
  long long readInteger(std::string_view section, std::string_view key,
                        long long defaultValue) const;
  // Point or comma as decimal separator; a value that is no number gives the
  // default.
  Real readReal(std::string_view section, std::string_view key, Real defaultValue) const;
  // "True" gives true, "False" false, anything else (also "true", "yes") the
  // default.
  bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Writes create the section at the end and the key at the end of its
  // section when missing, and replace the line of an existing key. The
  // modified flag is set when a line is new or its text changes. A key or
  // value that would break the line structure (a line break; "=" or a
  // leading "[" in a key) throws IniFileError.
  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, long long value);
  // In the long scientific form (" 1.00000000000000E+0000").
  void writeReal(std::string_view section, std::string_view key, Real value);
  void writeBool(std::string_view section, std::string_view key, bool value);

  // Writes the content to the file when it is modified (atomically, see
  // writeFileAtomically) and clears the flag. Throws IniFileError.
  void updateFile();

 private:
  struct Section {
    std::string name;
    std::vector<std::string> lines;
  };

  const Section* findSection(std::string_view name) const;
  Section* findSection(std::string_view name);
  const std::string* findLine(std::string_view section, std::string_view key) const;

  std::vector<Section> sections_;
  std::filesystem::path fileName_;
  bool modified_ = false;
};

}  // namespace velarix
