// velarix-cli: the headless front end over the core layers.
#include <CLI/CLI.hpp>

#include <string_view>
#include <iostream>

#include "cli/commands.h"

using namespace velarix::cli;

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// CLI11's parse errors in German, as one line.
std::string germanParseError(const CLI::ParseError& e) {
  std::string text = e.what();
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr) {
    const std::string name = text.substr(0, text.find(':'));
    return name + (text.find("missing") != std::string::npos ? ": der Wert fehlt"
                                                             : ": nur einmal erlaubt");
  }
  replaceAll(text, "A subcommand is required", "kein Befehl angegeben");
  replaceAll(text, "The following arguments were not expected: ", "unerwartete Argumente: ");
  replaceAll(text, "The following argument was not expected: ", "unerwartetes Argument: ");
  replaceAll(text, " is required", " fehlt");
  replaceAll(text, " requires ", " verlangt ");
  replaceAll(text, " not in ", " nicht in ");
  replaceAll(text, "Could not convert: ", "nicht umwandelbar: ");
  replaceAll(text, "\n", " ");
  return text;
}

void setGermanHelp(CLI::App& app) {
  app.option_defaults()->group("Optionen");
  app.set_help_flag("-h,--help", "Diese Hilfe anzeigen");
  app.set_help_all_flag("--help-all", "Hilfe zu allen Befehlen");
  const auto formatter = app.get_formatter();
  formatter->label("Usage", "Aufruf");
  formatter->label("OPTIONS", "OPTIONEN");
  formatter->label("SUBCOMMAND", "BEFEHL");
  formatter->label("SUBCOMMANDS", "BEFEHLE");
  formatter->label("Options", "Optionen");
  formatter->label("Subcommands", "Befehle");
  formatter->label("Positionals", "Argumente");
  formatter->label("REQUIRED", "PFLICHT");
  formatter->label("TEXT", "TEXT");
  formatter->label("Needs", "Braucht");
  formatter->label("Excludes", "Schließt aus");
  formatter->column_width(32);
}

void addWingOptions(CLI::App* command, WingOptions& o) {
  command->add_option("WING", o.wingFile, "Flügeldatei (*.flg)")->required();
  command->add_option("--sections", o.sections,
                      "Abschnitte des Berichts: all oder Nummern 0..14, durch Kommas getrennt "
                      "(Vorgabe: report 0; profile-drag 0,12,13,14)");
  command->add_option("--stations", o.stations, "Zahl der Stützstellen (ungerade, 3..127)");
  CLI::Option* mode =
      command->add_option("--mode", o.mode, "Auslegungsgröße: angle, ca, sm, xd oder speed")
          ->check(CLI::IsMember({"angle", "ca", "sm", "xd", "speed"}));
  CLI::Option* value = command->add_option(
      "--value", o.value, "Wert der Auslegungsgröße (Grad, -, %, m oder m/s; Komma oder Punkt)");
  mode->needs(value);
  value->needs(mode);
  command->add_option("--mass", o.mass, "Masse gesamt in kg");
  command->add_option("--altitude", o.altitude, "Flughöhe in m (0..25000)");
  command->add_option("--surface", o.surface,
                      "Oberfläche: clean, dirty, light-icing oder heavy-icing")
      ->check(CLI::IsMember({"clean", "dirty", "light-icing", "heavy-icing"}));
  command->add_option("--airfoil-dir", o.airfoilDirectory,
                      "Profilverzeichnis für die Umkodierung alter Flügeldateien "
                      "(Vorgabe: Verzeichnis der Flügeldatei)");
  command->add_option("-o,--output", o.output,
                      "Bericht in diese Datei schreiben (Windows-1252, CR LF) statt auszugeben");
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Velarix: Auslegung und Berechnung von Nurflügeln (Kommandozeile)", "velarix-cli"};
  setGermanHelp(app);
  app.require_subcommand(1);

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
  convert->add_option("--airfoil-dir", convertAirfoils,
                      "Profilverzeichnis für die Umkodierung alter Flügeldateien "
                      "(Vorgabe: Verzeichnis der Flügeldatei)");

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
  polar->add_option("--re", polarOptions.reynolds,
                    "Re-Zahlen (>= 1000), durch Kommas getrennt, höchstens 5")
      ->required();
  polar->add_option("--alpha", polarOptions.alpha, "Anstellwinkel ERSTER:LETZTER:SCHRITT in Grad, z. B. -4:10:1")
      ->required();
  polar->add_option("--flap-chord", polarOptions.flapChord, "Klappenlänge in % der Profiltiefe (0..100, Vorgabe 25)");
  polar->add_option("--flap-deflection", polarOptions.flapDeflection, "Klappenausschlag in Grad (Vorgabe 0)");
  polar->add_option("--surface", polarOptions.surface,
                    "Oberfläche: clean, dirty, light-icing oder heavy-icing")
      ->check(CLI::IsMember({"clean", "dirty", "light-icing", "heavy-icing"}));
  polar->add_flag("--bubbles", polarOptions.bubbles, "Ablösungen (Blasen) berücksichtigen");
  polar->add_flag("--no-smooth", polarOptions.noSmooth, "Profil nicht glätten");
  polar->add_option("--format", polarOptions.format, "Ausgabe: table (Vorgabe) oder csv")
      ->check(CLI::IsMember({"table", "csv"}));
  polar->add_option("--listing", polarOptions.listingFile, "bereinigtes Listing hier speichern");
  polar->add_option("--card", polarOptions.cardFile, "gesendete Kartendatei hier speichern");

  PlotOptions plotOptions;
  CLI::App* plot = app.add_subcommand("plot", "Grundriss und Verteilungen als PNG zeichnen");
  plot->add_option("WING", plotOptions.wingFile, "Flügeldatei (*.flg)")->required();
  plot->add_option("-o,--output", plotOptions.output, "PNG-Datei")->required();
  plot->add_option("--show", plotOptions.show,
                   "Anzeigen, durch Kommas getrennt: planform (Vorgabe), xc, xe, xn, xd, gamma, "
                   "prescription, ca, cwi, mue, ai, xd-local, re, stations, rotation");
  plot->add_option("--axis", plotOptions.axis, "Werte-Achse: re, gamma, ca, mue, ai oder cw");
  plot->add_option("--bar", plotOptions.bar, "Position des Markierungsbalkens in m");
  plot->add_option("--size", plotOptions.size, "Bildgröße BREITExHÖHE in Pixeln (61..8000, Vorgabe 880x311)");
  plot->add_option("--airfoil-dir", plotOptions.airfoilDirectory,
                   "Profilverzeichnis für die Umkodierung alter Flügeldateien "
                   "(Vorgabe: Verzeichnis der Flügeldatei)");

  for (CLI::App* command : app.get_subcommands({})) {
    command->group("Befehle");
    command->get_help_ptr()->group("Optionen");
    command->get_option("--help-all")->group("Optionen");
  }

  // An unknown first word would otherwise read as "no command given".
  if (argc > 1 && argv[1][0] != '-') {
    bool known = false;
    for (const CLI::App* command : app.get_subcommands({})) known |= command->get_name() == argv[1];
    if (!known) {
      std::cerr << "velarix-cli: unbekannter Befehl '" << argv[1]
                << "' (Befehle: new, convert, airfoil, report, profile-drag, polar, plot; "
                   "Hilfe: velarix-cli --help)\n";
      return kExitUsage;
    }
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    const std::vector<CLI::App*> given = app.get_subcommands();
    const std::string command = given.empty() ? std::string() : " " + given.front()->get_name();
    std::cerr << "velarix-cli" << command << ": " << germanParseError(e)
              << " (Hilfe: velarix-cli" << command << " --help)\n";
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
