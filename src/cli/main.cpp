// velarix-cli: the headless front end over the core layers.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/commands.h"

using namespace velarix::cli;

namespace {

void addWingOptions(CLI::App* command, WingOptions& o) {
  command->add_option("WING", o.wingFile, "Flügeldatei (*.flg)")->required();
  command->add_option("--sections", o.sections,
                      "Abschnitte des Berichts: all oder Nummern 0..14, durch Kommas getrennt");
  command->add_option("--stations", o.stations, "Wirbelzahl (ungerade, 3..127)");
  command->add_option("--mode", o.mode, "Auslegungsgröße: angle, ca, sm, xd oder speed");
  command->add_option("--value", o.value, "Wert der Auslegungsgröße (Grad, -, %, m oder m/s)");
  command->add_option("--mass", o.mass, "Masse gesamt in kg");
  command->add_option("--altitude", o.altitude, "Flughöhe in m (0..25000)");
  command->add_option("--surface", o.surface,
                      "Oberfläche: clean, dirty, light-icing oder heavy-icing");
  command->add_option("--airfoil-dir", o.airfoilDirectory,
                      "Profilverzeichnis für die Umkodierung alter Flügeldateien");
  command->add_option("-o,--output", o.output, "Bericht in diese Datei schreiben");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Velarix: Auslegung und Berechnung von Nurflügeln (Kommandozeile)", "velarix-cli"};
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Hilfe zu allen Befehlen");

  std::string newOutput;
  CLI::App* newCommand = app.add_subcommand("new", "Neuen Flügel anlegen und speichern");
  newCommand->add_option("-o,--output", newOutput, "Flügeldatei (*.flg)")->required();

  std::string convertInput;
  std::string convertOutput;
  std::string convertAirfoils;
  CLI::App* convert = app.add_subcommand(
      "convert", "Flügeldatei laden (alte Dateien umkodieren) und wieder speichern");
  convert->add_option("WING", convertInput, "Flügeldatei (*.flg)")->required();
  convert->add_option("-o,--output", convertOutput, "Ausgabedatei (*.flg)")->required();
  convert->add_option("--airfoil-dir", convertAirfoils, "Profilverzeichnis");

  std::string airfoilFile;
  bool section = false;
  CLI::App* airfoil =
      app.add_subcommand("airfoil", "Profilkennwerte einer Profildatei (*.dat) ausgeben");
  airfoil->add_option("AIRFOIL", airfoilFile, "Profildatei (*.dat)")->required();
  airfoil->add_flag("--section", section, "auch den 61-Punkte-Standardschnitt ausgeben");

  WingOptions reportOptions;
  CLI::App* report =
      app.add_subcommand("report", "Flügel berechnen und die berechneten Werte ausgeben");
  addWingOptions(report, reportOptions);

  WingOptions dragOptions;
  CLI::App* profileDrag = app.add_subcommand(
      "profile-drag", "Flügel berechnen, Profilwiderstände an den Stützstellen rechnen");
  addWingOptions(profileDrag, dragOptions);

  PolarOptions polarOptions;
  CLI::App* polar = app.add_subcommand("polar", "Profilpolaren mit dem Analyseprogramm rechnen");
  polar->add_option("AIRFOIL", polarOptions.airfoilFile, "Profildatei (*.dat)")->required();
  polar->add_option("--re", polarOptions.reynolds, "Re-Zahlen, durch Kommas getrennt (bis 5)")
      ->required();
  polar->add_option("--alpha", polarOptions.alpha, "Anstellwinkel ERSTER:LETZTER:SCHRITT in Grad")
      ->required();
  polar->add_option("--flap-chord", polarOptions.flapChord, "Klappenlänge in % (0..100)");
  polar->add_option("--flap-deflection", polarOptions.flapDeflection, "Ausschlagwinkel in Grad");
  polar->add_option("--surface", polarOptions.surface,
                    "Oberfläche: clean, dirty, light-icing oder heavy-icing");
  polar->add_flag("--bubbles", polarOptions.bubbles, "Ablösungen (Blasen) berücksichtigen");
  polar->add_flag("--no-smooth", polarOptions.noSmooth, "Profil nicht glätten");
  polar->add_option("--format", polarOptions.format, "Ausgabe: table oder csv")
      ->check(CLI::IsMember({"table", "csv"}));
  polar->add_option("--listing", polarOptions.listingFile, "bereinigtes Listing hier speichern");
  polar->add_option("--card", polarOptions.cardFile, "gesendete Kartendatei hier speichern");

  PlotOptions plotOptions;
  CLI::App* plot = app.add_subcommand("plot", "Grundriss und Verteilungen als PNG zeichnen");
  plot->add_option("WING", plotOptions.wingFile, "Flügeldatei (*.flg)")->required();
  plot->add_option("-o,--output", plotOptions.output, "PNG-Datei")->required();
  plot->add_option("--show", plotOptions.show,
                   "planform,xc,xe,xn,xd,gamma,prescription,ca,cwi,mue,ai,xd-local,re,stations");
  plot->add_option("--axis", plotOptions.axis, "Werte-Achse: re, gamma, ca, mue, ai oder cw");
  plot->add_option("--bar", plotOptions.bar, "Position des Markierungsbalkens in m");
  plot->add_option("--size", plotOptions.size, "Bildgröße BREITExHÖHE in Pixeln");
  plot->add_option("--airfoil-dir", plotOptions.airfoilDirectory, "Profilverzeichnis");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  try {
    if (*newCommand) return runNew(newOutput);
    if (*convert) return runConvert(convertInput, convertOutput, convertAirfoils);
    if (*airfoil) return runAirfoil(airfoilFile, section);
    if (*report) return runReport(reportOptions);
    if (*profileDrag) return runProfileDrag(dragOptions);
    if (*polar) return runPolar(polarOptions);
#ifdef VELARIX_HAVE_PLOT
    if (*plot) return runPlot(plotOptions);
#else
    if (*plot) {
      std::cerr << "velarix-cli: plot: ohne Qt 6 gebaut, keine Zeichnung verfügbar\n";
      return kExitFailure;
    }
#endif
  } catch (const std::exception& e) {
    std::cerr << "velarix-cli: " << e.what() << '\n';
    return kExitFailure;
  }
  return kExitUsage;
}
