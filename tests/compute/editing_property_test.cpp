// Random editing sequences on random wings: after every operation the wing
// keeps the invariants of the document, the computation accepts it (or
// refuses it with a clear error where the entries allow an unusable wing),
// and the wing file reproduces every cell text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "compute/stations.h"
#include "support/editing_platform.h"
#include "wing/cell_number.h"
#include "wing/editing_context.h"
#include "wing/flap_editing.h"
#include "wing/planform_editing.h"
#include "wing/wing_file.h"

namespace velarix {
namespace {

using testing::EditingPlatform;

constexpr const char* kSpanConditions[] = {"Ansetzen / Abschneiden", "Nasenwinkel erhalten",
                                           "t/4 Winkel erhalten",    "Endwinkel erhalten",
                                           "Nasenkoordin. erhalten", "Varia"};
constexpr const char* kDeleteConditions[] = {"linke Kl. ünern.", "rechte Kl übern.",
                                             "beide Kl. löschen"};
constexpr const char* kPercentChoices[] = {"0", "25", "50", "75", "100"};
constexpr const char* kNoNumbers[] = {"", "abc", "1,2,3", "--5", "0,5m"};
// The sweep shifts the two halves one after the other, each result
// truncated to six decimals, so the halves may come to differ by 1e-6 per
// sweep; a later span change scales such differences up by up to 7.5 (spans
// 0.4 to 3 m). A mirroring fault shows at the scale of the planform.
constexpr Real kMirrorTolerance = 1e-4L;

class EditingSequence {
 public:
  EditingSequence(unsigned seed, bool symmetricOnly)
      : rng_(seed), symmetricOnly_(symmetricOnly), platform_(wing_) {
    resetToNewWing(wing_);
    wing_.symmetricInput = true;
    if (!symmetricOnly_ && chance(0.5)) {
      // An uneven wing, its left tip moved in the wing list.
      const std::string leftTip = numberText(-0.9L, -0.2L);
      wing_.kinkTable.setCell(kColKinkY, 1, leftTip);
      wing_.flapTable.setCell(kColFlapYLeft, 1, leftTip);
    }
    EditingPlatform::updateSpan(wing_);
  }

  void run(int operations) {
    for (int step = 0; step < operations; ++step) {
      if (!symmetricOnly_ && chance(0.3)) wing_.symmetricInput = !wing_.symmetricInput;
      placeBar();
      const TWing before = wing_;
      platform_.clearRecords();
      std::string name;
      const bool garbage = chance(0.05);
      applyRandomOperation(garbage, name);
      trace_ << step << ": " << name << (wing_.symmetricInput ? " sym" : " asym") << "\n";
      if (garbage) {
        ASSERT_EQ(wing_, before) << trace_.str();
        ASSERT_EQ(platform_.errors.size(), 1u) << trace_.str();
      } else {
        ASSERT_TRUE(platform_.errors.empty()) << trace_.str() << platform_.errors[0].second;
      }
      checkInvariants();
      if (::testing::Test::HasFatalFailure()) return;
    }
  }

  int refusals() const { return refusals_; }
  Real maxMirrorDifference() const { return maxMirrorDifference_; }
  int maxKinks() const { return maxKinks_; }

 private:
  bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  // A six-decimal number text in [lo, hi].
  std::string numberText(Real lo, Real hi) {
    const long long a = static_cast<long long>(lo * 1000000);
    const long long b = static_cast<long long>(hi * 1000000);
    const long long k = std::uniform_int_distribution<long long>(a, b)(rng_);
    return formatCellNumber(static_cast<Real>(k) / 1000000);
  }
  std::string maybeGarbage(bool garbage, std::string text) {
    return garbage ? kNoNumbers[pick(5)] : text;
  }

  void placeBar() {
    const Real s = wing_.halfSpan;
    switch (pick(5)) {
      case 0:
      case 1:
        // On a kink; like the mouse, never beyond +-halfSpan.
        wing_.barPosition = std::clamp(kinkY(wing_, 1 + pick(wing_.kinkCount())), -s, s);
        break;
      case 2:
        wing_.barPosition = parseCellNumber(numberText(-s, s));
        break;
      default:
        break;  // where the last operation left it
    }
  }

  void applyRandomOperation(bool garbage, std::string& name) {
    TWing& w = wing_;
    EditingPlatform& p = platform_;
    EditingContext& c = context_;
    // Operations with an entry text take `garbage` into account; the others
    // get a broken text elsewhere (a reference entry) or none at all.
    if (garbage) {
      const std::string bad = kNoNumbers[pick(5)];
      const std::vector<std::pair<const char*, std::function<void()>>> entries = {
          {"span?", [&] { changeSpan(w, p, bad); }},
          {"chord?", [&] { setChord(w, c, p, bad); }},
          {"angle?", [&] { setChordAngle(w, p, bad); }},
          {"pivot?", [&] { setPivot(w, c, p, bad); }},
          {"x?", [&] { setLeadingEdgeX(w, p, bad); }},
          {"sweep?", [&] { setSweepRight(w, c, p, bad); }},
          {"bar?", [&] { setBarPosition(w, p, bad); }},
          {"flap chord?", [&] { setFlapChordLeft(w, p, bad); }},
          {"group?", [&] { setFlapGroup(w, p, bad); }},
          {"deflection?", [&] { setFlapDeflection(w, p, bad); }},
      };
      const auto& entry = entries[static_cast<std::size_t>(pick(static_cast<int>(entries.size())))];
      name = entry.first;
      // Entries that act only at a kink or field show nothing elsewhere.
      entry.second();
      return;
    }
    const int choice = pick(27);
    switch (choice) {
      case 0:
      case 1:
      case 2:
        name = "setKink";
        setKink(w, p);
        break;
      case 3:
      case 4:
        name = "deleteKink";
        w.kinkDeleteCondition = kDeleteConditions[pick(3)];
        deleteKink(w, p);
        break;
      case 5: {
        w.spanCondition = chance(0.05) ? "unbekannt" : kSpanConditions[pick(6)];
        std::string b = numberText(0.4L, 3);
        if (chance(0.1)) {
          // Spans that the checks refuse, and (not for the mirror check,
          // whose tolerance holds for spans 0.4 to 3 m) the extreme ones
          // they accept.
          const char* extremes[] = {"0,005", "150", "0,01", "0,02", "100"};
          b = extremes[pick(symmetricOnly_ ? 2 : 5)];
        }
        name = "changeSpan " + b + " " + w.spanCondition;
        changeSpan(w, p, b);
        break;
      }
      case 6: {
        c.chordReferenceText = chance(0.1) ? "abc" : kPercentChoices[pick(5)];
        const std::string t = chance(0.05) ? "0,0005" : numberText(0.02L, 0.5L);
        name = "setChord " + t + " ref " + c.chordReferenceText;
        setChord(w, c, p, t);
        break;
      }
      case 7:
        name = "setChordReference";
        setChordReference(w, c, p, chance(0.1) ? "120" : kPercentChoices[pick(5)]);
        break;
      case 8:
        name = "setChordAngle";
        setChordAngle(w, p, chance(0.05) ? "95" : numberText(-10, 10));
        break;
      case 9:
        name = "setPivot";
        setPivot(w, c, p, chance(0.05) ? "120" : numberText(0, 100));
        break;
      case 10:
        name = "setLeadingEdgeX";
        setLeadingEdgeX(w, p, numberText(-0.3L, 0.3L));
        break;
      case 11:
      case 12: {
        c.sweepReferenceText = kPercentChoices[pick(5)];
        const std::string angle = chance(0.05) ? "-90" : numberText(-40, 40);
        name = "sweep " + angle + " at " + c.sweepReferenceText;
        if (choice == 11) {
          setSweepRight(w, c, p, angle);
        } else {
          setSweepLeft(w, c, p, angle);
        }
        break;
      }
      case 13:
        name = "setSweepReference";
        setSweepReference(w, c, p, chance(0.1) ? "-5" : kPercentChoices[pick(5)]);
        break;
      case 14:
        name = "mirrorAirfoil";
        if (chance(0.5)) {
          if (auto row = kinkRowAt(w, w.barPosition)) {
            w.kinkTable.setCell(kColKinkAirfoil, *row, "eigenes.dat");
          }
        }
        mirrorAirfoil(w, p);
        break;
      case 15:
        name = "<";
        jumpKinkLeft(w, p);
        break;
      case 16:
        name = ">";
        jumpKinkRight(w, p);
        break;
      case 17:
        name = chance(0.5) ? "-" : "+";
        if (name == "-") {
          moveBarMillimetreLeft(w, p);
        } else {
          moveBarMillimetreRight(w, p);
        }
        break;
      case 18:
        name = "bar typed";
        setBarPosition(w, p, numberText(-2, 2));
        break;
      case 19:
        name = "setFlap";
        setFlap(w, p);
        break;
      case 20:
        name = "deleteFlap";
        deleteFlap(w, p);
        break;
      case 21:
        name = "flap chord";
        if (chance(0.5)) {
          setFlapChordLeft(w, p, numberText(-1, 101));
        } else {
          setFlapChordRight(w, p, numberText(-1, 101));
        }
        break;
      case 22:
        name = "flap group";
        setFlapGroup(w, p, numberText(0, 4));
        break;
      case 23:
        name = "flap deflection";
        setFlapDeflection(w, p, numberText(-20, 20));
        break;
      case 24:
        name = "field <";
        jumpFieldLeft(w, p);
        break;
      case 25:
        name = "field >";
        jumpFieldRight(w, p);
        break;
      default:
        name = "setKink";
        setKink(w, p);
        break;
    }
  }

  void checkInvariants() {
    const TWing& w = wing_;
    const CellTable& k = w.kinkTable;
    const CellTable& f = w.flapTable;
    const int n = w.kinkCount();
    maxKinks_ = std::max(maxKinks_, n);
    ASSERT_GE(n, 2) << trace_.str();

    // Every numeric cell is a number.
    Real value = 0;
    for (int row = 1; row <= n; ++row) {
      for (int column = 0; column < kKinkColumns; ++column) {
        if (column == kColKinkAirfoil) continue;
        ASSERT_TRUE(tryParseCellNumber(k.cell(column, row), value))
            << "kink row " << row << " column " << column << " '" << k.cell(column, row) << "'\n"
            << trace_.str();
      }
    }
    for (int row = 1; row <= w.flapCount(); ++row) {
      for (int column = 0; column < kFlapColumns; ++column) {
        ASSERT_TRUE(tryParseCellNumber(f.cell(column, row), value))
            << "flap row " << row << " column " << column << "\n"
            << trace_.str();
      }
    }

    // Kinks sorted by y; flap field r spans kink rows r, r+1.
    bool distinct = true;
    bool positiveChords = true;
    for (int row = 1; row < n; ++row) {
      ASSERT_LE(kinkY(w, row), kinkY(w, row + 1)) << trace_.str();
      distinct = distinct && kinkY(w, row) < kinkY(w, row + 1);
    }
    for (int row = 1; row <= n; ++row)
      positiveChords = positiveChords && k.number(kColKinkChord, row) > 0;
    ASSERT_EQ(w.flapCount(), n - 1) << trace_.str();
    for (int row = 1; row < n; ++row) {
      ASSERT_EQ(f.cell(kColFlapNumber, row), std::to_string(row)) << trace_.str();
      ASSERT_EQ(f.number(kColFlapYLeft, row), kinkY(w, row)) << "field " << row << "\n"
                                                             << trace_.str();
      ASSERT_EQ(f.number(kColFlapYRight, row), kinkY(w, row + 1)) << "field " << row << "\n"
                                                                  << trace_.str();
    }

    // The centre row exists and is the origin of x.
    const std::optional<int> centre = kinkRowAt(w, 0);
    ASSERT_TRUE(centre) << trace_.str();
    ASSERT_EQ(k.cell(kColKinkX, *centre), "0") << trace_.str();

    ASSERT_LE(w.barPosition, w.halfSpan) << trace_.str();
    ASSERT_GE(w.barPosition, -w.halfSpan) << trace_.str();

    // Mirror symmetry of a wing edited only with symmetric input.
    if (symmetricOnly_) {
      for (int row = 1; row <= n; ++row) {
        const int mirror = n + 1 - row;
        ASSERT_EQ(kinkY(w, row), -kinkY(w, mirror)) << trace_.str();
        ASSERT_EQ(k.cell(kColKinkAirfoil, row), k.cell(kColKinkAirfoil, mirror)) << trace_.str();
        for (int column : {kColKinkX, kColKinkChord, kColKinkChordAngle, kColKinkPivotPercent}) {
          const Real difference = std::fabs(k.number(column, row) - k.number(column, mirror));
          maxMirrorDifference_ = std::max(maxMirrorDifference_, difference);
          ASSERT_LE(difference, kMirrorTolerance)
              << "rows " << row << ", " << mirror << " column " << column << "\n"
              << trace_.str();
        }
      }
      for (int row = 1; row < n; ++row) {
        const int mirror = n - row;
        ASSERT_EQ(f.cell(kColFlapChordLeft, row), f.cell(kColFlapChordRight, mirror))
            << trace_.str();
      }
    }

    // The computation accepts the wing, or refuses it for a reason the
    // range checks of the entries allow: kinks that met after a reshaping
    // truncated to six decimals, or a chord scaled down to zero.
    try {
      validateWingForComputation(w);
      TSpanDistribution distribution;
      computeStations(w, distribution);
    } catch (const WingDataError& error) {
      ++refusals_;
      ASSERT_FALSE(distinct && positiveChords) << error.what() << "\n" << trace_.str();
    }

    // The wing file reproduces every cell text.
    TWing loaded;
    applyWingFileTables(parseWingFileText(writeWingFileText(w)), loaded);
    ASSERT_EQ(loaded.kinkTable, w.kinkTable) << trace_.str();
    ASSERT_EQ(loaded.flapTable, w.flapTable) << trace_.str();
  }

  std::mt19937 rng_;
  bool symmetricOnly_;
  TWing wing_;
  EditingContext context_;
  EditingPlatform platform_;
  std::ostringstream trace_;
  int refusals_ = 0;
  Real maxMirrorDifference_ = 0;
  int maxKinks_ = 0;
};

// Number of sequences per test; VELARIX_EDITING_SEEDS raises it for a
// longer search.
unsigned sequenceCount(unsigned usual) {
  const char* text = std::getenv("VELARIX_EDITING_SEEDS");
  return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : usual;
}

TEST(EditingProperty, SymmetricSequencesKeepTheWingSoundAndMirrorEqual) {
  for (unsigned seed = 1; seed <= sequenceCount(6); ++seed) {
    SCOPED_TRACE(seed);
    EditingSequence sequence(seed, true);
    sequence.run(300);
    if (HasFatalFailure()) return;
    std::printf("seed %u: max kinks %d, refusals %d, mirror difference %.3Lg\n", seed,
                sequence.maxKinks(), sequence.refusals(), sequence.maxMirrorDifference());
  }
}

TEST(EditingProperty, MixedSequencesKeepTheWingSound) {
  for (unsigned seed = 101; seed <= 100 + sequenceCount(8); ++seed) {
    SCOPED_TRACE(seed);
    EditingSequence sequence(seed, false);
    sequence.run(300);
    if (HasFatalFailure()) return;
    std::printf("seed %u: max kinks %d, refusals %d\n", seed, sequence.maxKinks(),
                sequence.refusals());
  }
}

}  // namespace
}  // namespace velarix
