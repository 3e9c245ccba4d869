#include "compute/values_report.h"

#include <string>

#include "wing/cell_number.h"

namespace velarix {

namespace {

std::string num(Real x) { return formatCellNumber(x); }
std::string rounded(Real x, int decimals) { return formatCellNumber(roundToDecimals(x, decimals)); }

class ReportWriter {
 public:
  void line(std::string text = {}) { lines_.push_back(std::move(text)); }
  // One distribution line per station: "<label> <j>) =<value><unit>".
  void distribution(const std::string& label, const Distribution& values, int first, int last,
                    const char* unit = "", Real factor = 1) {
    for (int j = first; j <= last; ++j) {
      line(label + " " + std::to_string(j) + ") =" + num(factor * values[j]) + unit);
    }
  }
  std::vector<std::string> take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
};

void writeWingCoefficients(ReportWriter& w, const TWing& wing, const TWingCoefficients& c,
                           bool profileDragValid) {
  w.line();
  w.line("Flächeninhalt (F) = " + num(c.wingArea) + " m^2");
  w.line("Flächenbelastung = " + num(c.wingLoading) + " kg / m^2" + "  = " +
         num(10 * c.wingLoading) + " g / dm^2");
  w.line("Streckung (^) = " + rounded(c.aspectRatio, 4));
  w.line("Bezugsflügeltiefe (lu) = " + rounded(c.referenceChord, 4) + " m");
  w.line("aktuelle Luftdichte (p) = " + num(c.airDensity) + " kg / m^3" + " in " +
         num(wing.flightAltitude) + " m Höhe");
  w.line();
  w.line("Rücklage des Geometrischen Neutralpunktes (XC) = " + rounded(c.geometricNeutralPoint, 4) +
         " m");
  w.line("Rücklage des Elliptischen Neutralpunktes (XE) = " + rounded(c.ellipticNeutralPoint, 4) +
         " m");
  w.line("Rücklage des Aerodynamischen Neutralpunktes (XN) = " +
         rounded(c.aerodynamicNeutralPoint, 4) + " m");
  w.line("Rücklage des Druckpunktes=Schwerpunkt (XD) = " + rounded(c.pressurePoint, 4) + " m");
  w.line("Stabilitätsmaß (SM) = " + rounded(c.stabilityMargin, 2) + " %");
  w.line();
  w.line("Nullauftriebswinkel des gesamten Flügels (A0) = " + rounded(c.zeroLiftAngle, 3) + " Grad");
  w.line("Nullmomentbeiwert des gesamten Flügels (CM0) = " + rounded(c.zeroLiftMoment, 5));
  w.line("Auftriebsanstieg des Flügels (dCA) = " + rounded(c.liftSlope, 5));
  w.line("Momentanstieg des Flügels (dCM) = " + rounded(c.momentSlope, 5));
  w.line();
  w.line("Auftriebsbeiwert des gesamten Flügels (CA) = " + rounded(c.liftCoefficient, 5));
  w.line("Momentbeiwert des gesamten Flügels (CM) = " + rounded(c.momentCoefficient, 5));
  w.line("Induzierter Gesamtwiderstandsbeiwert (CWI) = " + rounded(c.inducedDrag, 5));
  w.line("Güte (CWI/CWI ell.) = " + rounded(c.inducedDragQuality, 4));
  w.line("Rollmomentbeiwert des gesamten Flügels (CL) = " + rounded(c.rollingMoment, 5));
  w.line("Induzierter Giermomentbeiwert (CNI) = " + rounded(c.inducedYawingMoment, 5));
  if (profileDragValid) w.line("Giermomentbeiwert (CN) = " + rounded(c.yawingMoment, 5));
  w.line("Geschwindigkeit für den Stationären Flug (v_einsatz) = " + rounded(c.flightSpeed, 3) +
         " m/s");
  w.line();
  w.line();
}

}  // namespace

ReportSelection ReportSelection::all() {
  ReportSelection s;
  s.ticked.fill(true);
  return s;
}

ReportSelection ReportSelection::none() {
  ReportSelection s;
  s.ticked.fill(false);
  return s;
}

const std::array<std::string, kReportSectionCount>& reportSectionTitles() {
  static const std::array<std::string, kReportSectionCount> titles = {
      "Beiwerte des Flügels",
      "Y-Koordinaten der Wirbelstellen",
      "Zikulation  gamma[v]",
      "Auftriebsbeiwerte  ca[v]",
      "induzierten Widerstände cwi[v]",
      "Momentbeiwerte  mue[v]",
      "induzierten Anstellwinkel  ai[v]",
      "örtlichen Druckpunkte  xd[v]",
      "Re-Zahlen  Re[v]",
      "geschätzte Reibungswiderstände  cwr_geschätzt[v]",
      "geschätzte Gesamtwiderstände  cwg_geschätzt[v]",
      "geschätzte Flügelpolare",
      "Profilwiderstände  cwp[v]",
      "Gesamtwiderstände  cwg[v]",
      "Berechnet Flügelpolare"};
  return titles;
}

std::string fileNamePart(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> fillValuesReport(const TWing& wing, const TSpanDistribution& d,
                                          const TWingCoefficients& c, bool profileDragValid,
                                          const ReportSelection& selection) {
  ReportWriter w;
  const int m = d.stationCount;
  const std::string count = std::to_string(m);
  w.line("Name des Flügels = " + fileNamePart(wing.wingFileName));
  if (selection[ReportSection::WingCoefficients]) {
    writeWingCoefficients(w, wing, c, profileDragValid);
  }
  w.line("Info Normierung !");
  w.line("Normierter Wert = Orginal Wert * t / 2 / b! ");
  w.line();
  w.line();
  if (selection[ReportSection::StationPositions]) {
    w.line("Zahl der Stützstellen = " + count);
    w.line();
    w.line("Y-Koordinaten 'eta' der " + count + " Stützstellen in m ");
    w.distribution("eta", d.eta, 1, m, " m");
    w.line();
  }
  if (selection[ReportSection::Circulation]) {
    w.line("Verteilung der Zirkulation / normiert");
    w.line("gamma[v]=ca[v]*t[v]/2/b");
    w.distribution("gamma", d.gamma, 1, m);
    w.line();
  }
  if (selection[ReportSection::LiftCoefficients]) {
    w.line("Verteilung der Auftriebsbeiwerte");
    w.distribution("ca", d.ca, 1, m);
    w.line();
  }
  if (selection[ReportSection::InducedDrag]) {
    w.line("Verteilung der induzierten Widerstandsbeiwerte / normiert ");
    w.distribution("cwi", d.cwi, 1, m);
    w.line();
  }
  if (selection[ReportSection::MomentCoefficients]) {
    w.line("Verteilung der Momentbeiwerte / normiert");
    w.line("mue[v]=cm[v]*t[v]/2/b");
    w.distribution("mue", d.mue, 1, m);
    w.line();
  }
  if (selection[ReportSection::InducedAngles]) {
    w.line("Verteilung der induzierten Anstellwinkel in Grad");
    w.distribution("ai", d.ai, 1, m, " Grad", kDegPerRadRounded);
    w.line();
  }
  if (selection[ReportSection::LocalCentresOfPressure]) {
    w.line("Rücklage der örtlichen Druckpunkte in m");
    w.distribution("xd", d.xd, 1, m, " m");
    w.line();
  }
  if (selection[ReportSection::ReynoldsNumbers]) {
    w.line("Verteilung der Re-Zahlen");
    w.distribution("Re", d.re, 0, m + 1);
    w.line();
  }
  if (selection[ReportSection::FrictionDragEstimated]) {
    w.line("Erste Abschätzung der Reibungswiderstandsbeiwerte mit Hilfe der Re-Zahl");
    w.distribution("cwr_geschätzt", d.cwrEstimated, 1, m);
    w.line();
  }
  if (selection[ReportSection::TotalDragEstimated]) {
    w.line("Erste Abschätzung der Gesamtwiderstandsbeiwerte ");
    w.distribution("cwg_geschätzt", d.cwgEstimated, 1, m);
    w.line();
  }
  if (selection[ReportSection::PolarEstimated]) {
    w.line("Geschätzte Flügelpolare :");
    w.line("Geschätzter Gesamt-Reibungswiderstandsbeiwert (CWR_geschätzt) = " +
           rounded(c.frictionDragEstimated, 5));
    w.line("Geschätzter Gesamt-Widerstandsbeiwert (CWG_geschätzt) = " +
           rounded(c.totalDragEstimated, 5));
    w.line("Geschätzte Gleitzahl (E_geschätzt) = " + rounded(c.glideRatioEstimated, 5));
    w.line("Geschätzte Steigzahl (e_geschätzt) = " + rounded(c.climbFactorEstimated, 5));
    w.line("Geschätzte Sinkgeschwindigkeit (vs_geschätzt) = " + rounded(c.sinkSpeedEstimated, 3) +
           " m/s");
    w.line("Geschätzter Gleitwinkel = " + rounded(kDegPerRadRounded * c.glideAngleEstimated, 2) +
           " Grad");
    w.line();
  }
  if (selection[ReportSection::ProfileDrag]) {
    if (profileDragValid) {
      w.line("Verteilung der Profilwiderstandsbeiwerte / normiert");
      w.distribution("cwp", d.cwp, 1, m);
    } else {
      w.line("Verteilung der Profilwiderstandsbeiwerte nicht verfügbar !");
    }
    w.line();
  }
  if (selection[ReportSection::TotalDrag]) {
    if (profileDragValid) {
      w.line("Verteilung der Gesamtwiderstandsbeiwerte / normiert");
      w.distribution("cwg", d.cwg, 1, m);
    } else {
      w.line("Verteilung der Gesamtwiderstände nicht verfügbar !");
    }
    w.line();
  }
  if (selection[ReportSection::PolarComputed]) {
    if (profileDragValid) {
      w.line("Mit Hilfe von Eppler berechnete Flügelpolare :");
      w.line("Profil-Widerstandsbeiwert (CWP) = " + rounded(c.profileDrag, 5));
      w.line("Induzierter-Gesamtwiderstandsbeiwert (CWI) = " + rounded(c.inducedDrag, 5));
      w.line("Gesamt-Widerstandsbeiwert (CWG) = " + rounded(c.totalDrag, 5));
      w.line("Gleitzahl (E) = " + rounded(c.glideRatio, 5));
      w.line("Steigzahl (e) = " + rounded(c.climbFactor, 5));
      w.line("Sinkgeschwindigkeit (vs) = " + rounded(c.sinkSpeed, 3) + " m/s");
      w.line("Gleitwinkel = " + rounded(kDegPerRadRounded * c.glideAngle, 2) + " Grad");
    } else {
      w.line("Berechnet Flügelpolare nicht verfügbar !");
      w.line();
    }
  }
  return w.take();
}

}  // namespace velarix
