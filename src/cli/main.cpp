// velarix-cli: the headless front end over the core layers.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

#include "compute/Berechnungen.h"
#include "wing/Hauptfenster.h"

namespace {

using namespace velarix;

// Prints messages and errors to stderr; questions are answered Yes.
class ConsolePlatform : public Platform {
 public:
  Answer showMessage(int number) override {
    const auto entry = findMessage(number);
    std::string text = entry ? std::string(entry->text) : "Meldung " + std::to_string(number);
    for (char& c : text) {
      if (c == '\r') c = '\n';
    }
    std::cerr << text << '\n';
    return entry && entry->buttons == MessageButtons::YesNo ? Answer::Yes : Answer::Ok;
  }
  void showError(std::string_view caption, std::string_view text) override {
    std::cerr << caption << ": " << text << '\n';
  }
};

int printStations(int stationCount) {
  ConsolePlatform platform;
  TWing wing;
  newWing(wing, platform);
  wing.stationCount = stationCount;
  validateWingForComputation(wing);
  computeSpan(wing);
  TSpanDistribution d;
  computeStations(wing, d);
  std::cout << "Flügel " << wing.wingFileName << ", Spannweite " << formatCellNumber(wing.span)
            << " m, " << stationCount << " Stützstellen\n";
  std::cout << "   j          eta        x_VK        x_HK        Tiefe    Sehnenw.     alpha0"
               "        cm0\n";
  for (int j = 1; j <= stationCount; ++j) {
    std::printf("%4d %12.6Lf %11.6Lf %11.6Lf %12.6Lf %11.6Lf %10.6Lf %10.6Lf\n", j, d.eta[j],
                d.xLeadingEdge[j], d.xTrailingEdge[j], d.chord[j], d.chordAngle[j], d.alpha0[j],
                d.cm0[j]);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Velarix: Auslegung und Berechnung von Nurflügeln (Kommandozeile)", "velarix-cli"};
  app.require_subcommand(1);

  int stationCount = 15;
  CLI::App* stations =
      app.add_subcommand("stations", "Gibt die Multhopp-Stützstellen des neuen Flügels aus");
  stations->add_option("--stations,-m", stationCount, "Zahl der Stützstellen (ungerade, 3..127)")
      ->check(CLI::Range(3, 127));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  try {
    if (*stations) return printStations(stationCount);
  } catch (const std::exception& e) {
    std::cerr << "velarix-cli: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
