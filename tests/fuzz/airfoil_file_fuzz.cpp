// Any file either loads as an airfoil that the smoothing pipeline turns into
// a finite 61-point standard section with finite characteristics, or is
// refused with AirfoilFileError (or, for a chain whose numbers overflow in
// the smoothing, AirfoilGeometryError). Anything else aborts.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "airfoil/airfoil.h"

namespace {

// One scratch file per process, removed when the fuzzer exits.
struct ScratchFile {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("velarix_airfoil_fuzz_" + std::to_string(::getpid()) + ".dat");
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
};

const std::filesystem::path& scratchFile() {
  static const ScratchFile file;
  return file.path;
}

bool finite(const velarix::TAirfoil& a) {
  for (const velarix::TCoord& p : a.points()) {
    if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return false;
  }
  for (int slot = 0; slot < velarix::kCharacteristicCount; ++slot) {
    if (!std::isfinite(a.GetCharacteristic(slot))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  velarix::TAirfoil airfoil;
  try {
    airfoil.LoadFromFile(scratchFile());
  } catch (const velarix::AirfoilFileError&) {
    return 0;
  }
  if (airfoil.Count() < 3 || airfoil.Count() > velarix::kMaxAirfoilPoints) std::abort();
  try {
    airfoil.ComputeCharacteristics();
    const velarix::TAirfoil raw = airfoil;
    airfoil.EnsureLeadingEdgePoint();
    const velarix::TAirfoil section = airfoil.SmoothForWing(60);
    if (section.Count() != 61 || !finite(section)) std::abort();
    if (!(section.point(30) == velarix::TCoord{0, 0})) std::abort();
    for (bool upper : {true, false}) {
      if (!std::isfinite(raw.OrdinateAt(upper, 0.5L))) std::abort();
    }
    (void)section.CharacteristicsListing();
  } catch (const velarix::AirfoilGeometryError&) {
    return 0;
  }
  return 0;
}
