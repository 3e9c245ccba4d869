// The plot command: the main window's drawing rendered into a PNG file.
#include <iostream>

#include "cli/commands.h"

namespace velarix::cli {

int runPlot(const PlotOptions& options) {
  std::cerr << "velarix-cli: plot " << options.wingFile
            << ": die Zeichnung ist in diesem Stand nicht verfügbar\n";
  return kExitFailure;
}

}  // namespace velarix::cli
