// The commands of velarix-cli. Each returns the exit status: 0 success,
// 1 a failed computation or a refused input (the reason on stderr).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velarix::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Options of the commands that compute a wing.
struct WingOptions {
  std::string wingFile;
  std::string airfoilDirectory;
  std::string sections;  // "all" or "0,1,..."; empty: the command's default
  std::optional<std::string> stations;
  std::optional<std::string> mode;  // angle|ca|sm|xd|speed
  std::optional<std::string> value;
  std::optional<std::string> mass;
  std::optional<std::string> altitude;
  std::optional<std::string> surface;  // clean|dirty|light-icing|heavy-icing
  std::string output;                  // -o: report file
};

struct PolarOptions {
  std::string airfoilFile;
  std::string reynolds;  // "60000,100000,..."
  std::string alpha;     // "FIRST:LAST:STEP"
  std::string flapChord = "25";
  std::string flapDeflection = "0";
  std::string surface = "clean";
  bool bubbles = false;
  bool noSmooth = false;
  std::string format = "table";  // table|csv
  std::string listingFile;
  std::string cardFile;
};

struct PlotOptions {
  std::string wingFile;
  std::string output;
  std::string show = "planform";
  std::string axis;
  std::optional<std::string> bar;
  std::string size = "880x311";
  std::string airfoilDirectory;
};

int runNew(const std::string& output);
int runConvert(const std::string& input, const std::string& output,
               const std::string& airfoilDirectory);
int runAirfoil(const std::string& airfoilFile, bool section);
int runReport(const WingOptions& options);
int runProfileDrag(const WingOptions& options);
int runPolar(const PolarOptions& options);
int runPlot(const PlotOptions& options);

}  // namespace velarix::cli
