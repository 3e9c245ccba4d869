// Any text read as an INI file can be looked up and written back, and the
// written text reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wing/BigIni.h"
#include "wing/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velarix;
  const std::string text =
      windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  TBigIniFile ini;
  ini.setText(text);
  for (const std::string& section : ini.sectionNames()) {
    (void)ini.readInteger(section, "0", 0);
    (void)ini.readReal(section, "x", 0);
    (void)ini.readBool(section, "Mackieungsbalken als Kreuz", false);
    (void)ini.readString(section, "Verzeichnis_Profildaten", "");
  }
  const std::string written = ini.text();
  TBigIniFile again;
  again.setText(written);
  if (again.text() != written) std::abort();
  try {
    ini.writeInteger("KlappenGruppenFarben", "7", 255);
    ini.writeString("Verzeichnisse", "Verzeichnis_Fluegeldaten", "/tmp");
  } catch (const IniFileError&) {
    std::abort();
  }
  if (ini.readInteger("klappengruppenfarben", "7", 0) != 255) std::abort();
  return 0;
}
