// Any bytes either are refused with WingFileError or give a content that the
// writer writes and the reader reads back to the same tables and values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wing/wing.h"
#include "wing/wing_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velarix;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  WingFileContent content;
  try {
    content = decodeWingFile(bytes);
  } catch (const WingFileError&) {
    return 0;
  }
  TWing wing;
  resetToNewWing(wing);
  applyWingFileTables(content, wing);
  applyWingFileChoices(content, wing);
  (void)isOldFormat(wing);

  std::string written;
  try {
    written = encodeWingFile(wing);
  } catch (const WingFileError&) {
    std::abort();  // everything read from a file can be written again
  }
  TWing again;
  resetToNewWing(again);
  try {
    const WingFileContent reread = decodeWingFile(written);
    applyWingFileTables(reread, again);
    applyWingFileChoices(reread, again);
  } catch (const WingFileError&) {
    std::abort();
  }
  if (!(again.kinkTable == wing.kinkTable) || !(again.flapTable == wing.flapTable) ||
      again.switches != wing.switches || again.spanCondition != wing.spanCondition ||
      again.gammaExponent != wing.gammaExponent || again.stationCount != wing.stationCount ||
      again.designMode != wing.designMode || again.surfaceCondition != wing.surfaceCondition) {
    std::abort();
  }
  return 0;
}
