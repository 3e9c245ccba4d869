#include "wing/flap_editing.h"

#include <cmath>
#include <string>

#include "wing/cell_number.h"
#include "wing/editing_support.h"

namespace velarix {

using editing::Closing;
using editing::runEdit;

namespace {

constexpr int kMessagePercent = 8;
constexpr int kMessageGroup = 16;
constexpr int kMessageAngle = 4;
constexpr Real kMaxDeflectionDeg = 89;
constexpr int kGroupLimit = 100;  // groups 0..99
constexpr std::string_view kNoFlapChord = "0";
constexpr std::string_view kDefaultFlapChord = "25";
constexpr std::string_view kNoGroup = "0";

// A chord cell carries a flap when its text compares greater than "0"; for
// the non-negative integer texts the entries write this means "not zero".
bool chordTextCarriesFlap(const std::string& text) { return text > kNoFlapChord; }

bool carriesFlap(const CellTable& f, int row) {
  return chordTextCarriesFlap(f.cell(kColFlapChordLeft, row)) ||
         chordTextCarriesFlap(f.cell(kColFlapChordRight, row));
}

bool hasNoFlap(const CellTable& f, int row) {
  return f.cell(kColFlapChordLeft, row) == kNoFlapChord &&
         f.cell(kColFlapChordRight, row) == kNoFlapChord;
}

void writeDefaultFlap(CellTable& f, int row) {
  f.setCell(kColFlapChordLeft, row, std::string(kDefaultFlapChord));
  f.setCell(kColFlapChordRight, row, std::string(kDefaultFlapChord));
  f.setCell(kColFlapGroup, row, "0");
  f.setCell(kColFlapDeflection, row, "0");
}

// The field at the bar and, with symmetric input, its mirror field.
struct BarFields {
  std::optional<int> atBar;
  std::optional<int> mirrored;
};

BarFields fieldsAtBar(const TWing& wing) {
  BarFields fields;
  fields.atBar = flapFieldAt(wing, wing.barPosition);
  if (fields.atBar && wing.symmetricInput) fields.mirrored = mirrorField(wing, *fields.atBar);
  return fields;
}

// An integer entry: the number truncated toward zero (kept as Real, so that
// a huge number is range-checked before it becomes an integer).
Real truncatedEntry(std::string_view text) { return std::trunc(parseCellNumber(text)); }

std::string integerText(Real value) { return std::to_string(static_cast<long long>(value)); }

enum class FlapEnd { Left, Right };

int chordColumn(FlapEnd end) {
  return end == FlapEnd::Left ? kColFlapChordLeft : kColFlapChordRight;
}

void setFlapChord(TWing& wing, Platform& platform, std::string_view percentText, FlapEnd end) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real percent = truncatedEntry(percentText);
    const BarFields fields = fieldsAtBar(w);
    if (!fields.atBar) return Closing::none();
    if (percent < 0 || percent > 100) {
      platform.showMessage(kMessagePercent);
      return Closing::none();
    }
    const std::string text = integerText(percent);
    w.flapTable.setCell(chordColumn(end), *fields.atBar, text);
    if (fields.mirrored) {
      const FlapEnd mirroredEnd = end == FlapEnd::Left ? FlapEnd::Right : FlapEnd::Left;
      w.flapTable.setCell(chordColumn(mirroredEnd), *fields.mirrored, text);
    }
    w.wingSaved = false;
    return Closing::recompute();
  });
}

// Field `row` joins group g: it takes the deflection of the last other
// field of that group in table order. Group 0 ties nothing together.
void joinGroup(TWing& wing, int row, Real group) {
  CellTable& f = wing.flapTable;
  const std::string text = integerText(group);
  f.setCell(kColFlapGroup, row, text);
  if (text == kNoGroup) return;
  for (int other = 1; other <= wing.flapCount(); ++other) {
    if (other != row && f.cell(kColFlapGroup, other) == text) {
      f.setCell(kColFlapDeflection, row, f.cell(kColFlapDeflection, other));
    }
  }
}

// Group setting for the typed or the chosen group; `group` is evaluated
// inside the edit so that a text that is no number changes nothing.
template <class GroupSource>
void setGroup(TWing& wing, Platform& platform, GroupSource&& groupSource) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real group = groupSource();
    const BarFields fields = fieldsAtBar(w);
    if (!fields.atBar) return Closing::none();
    if (group < 0 || group >= kGroupLimit) {
      platform.showMessage(kMessageGroup);
      return Closing::none();
    }
    joinGroup(w, *fields.atBar, group);
    if (fields.mirrored) joinGroup(w, *fields.mirrored, group);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

Real fieldMiddle(const CellTable& f, int row) {
  return (f.number(kColFlapYLeft, row) + f.number(kColFlapYRight, row)) * 0.5L;
}

}  // namespace

std::optional<int> mirrorField(const TWing& wing, int row) {
  const CellTable& f = wing.flapTable;
  const Real left = f.number(kColFlapYLeft, row);
  const Real right = f.number(kColFlapYRight, row);
  for (int m = 1; m <= wing.flapCount(); ++m) {
    if (f.number(kColFlapYRight, m) == -left && f.number(kColFlapYLeft, m) == -right) return m;
  }
  return std::nullopt;
}

void setFlap(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const BarFields fields = fieldsAtBar(w);
    CellTable& f = w.flapTable;
    if (fields.atBar) {
      const int field = *fields.atBar;
      if (hasNoFlap(f, field)) {
        writeDefaultFlap(f, field);
        w.wingSaved = false;
      }
      if (fields.mirrored) {
        const int mirrored = *fields.mirrored;
        if (hasNoFlap(f, mirrored)) writeDefaultFlap(f, mirrored);
        if (carriesFlap(f, field)) {
          // Copy in mirror image: the left end of the mirror field is the
          // right end of the field.
          const std::string left = f.cell(kColFlapChordRight, field);
          const std::string right = f.cell(kColFlapChordLeft, field);
          f.setCell(kColFlapChordLeft, mirrored, left);
          f.setCell(kColFlapChordRight, mirrored, right);
          f.setCell(kColFlapGroup, mirrored, f.cell(kColFlapGroup, field));
          f.setCell(kColFlapDeflection, mirrored, f.cell(kColFlapDeflection, field));
          w.wingSaved = false;
        }
      }
    }
    return Closing::recompute();
  });
}

void deleteFlap(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const BarFields fields = fieldsAtBar(w);
    for (const std::optional<int>& row : {fields.atBar, fields.mirrored}) {
      if (!row) continue;
      for (int column :
           {kColFlapChordLeft, kColFlapChordRight, kColFlapGroup, kColFlapDeflection}) {
        w.flapTable.setCell(column, *row, "0");
      }
      w.wingSaved = false;
    }
    return Closing::recompute();
  });
}

void setFlapChordLeft(TWing& wing, Platform& platform, std::string_view percentText) {
  setFlapChord(wing, platform, percentText, FlapEnd::Left);
}

void setFlapChordRight(TWing& wing, Platform& platform, std::string_view percentText) {
  setFlapChord(wing, platform, percentText, FlapEnd::Right);
}

void setFlapGroup(TWing& wing, Platform& platform, std::string_view groupText) {
  setGroup(wing, platform, [groupText] { return truncatedEntry(groupText); });
}

void setFlapGroupNumber(TWing& wing, Platform& platform, int group) {
  setGroup(wing, platform, [group] { return static_cast<Real>(group); });
}

void setFlapDeflection(TWing& wing, Platform& platform, std::string_view angleText) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real deflectionDeg = parseCellNumber(angleText);
    const std::optional<int> field = flapFieldAt(w, w.barPosition);
    if (!field) return Closing::none();
    if (deflectionDeg < -kMaxDeflectionDeg || deflectionDeg > kMaxDeflectionDeg) {
      platform.showMessage(kMessageAngle);
      return Closing::none();
    }
    CellTable& f = w.flapTable;
    const std::string group = f.cell(kColFlapGroup, *field);
    if (group > kNoGroup) {
      for (int row = 1; row <= w.flapCount(); ++row) {
        if (f.cell(kColFlapGroup, row) == group)
          f.setNumber(kColFlapDeflection, row, deflectionDeg);
      }
    } else {
      f.setNumber(kColFlapDeflection, *field, deflectionDeg);
    }
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void jumpFieldRight(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    const int count = w.flapCount();
    if (count < 1) return Closing::barMoved(old);
    const CellTable& f = w.flapTable;
    int k = count;
    for (int row = 1; row <= count; ++row) {
      if (f.number(kColFlapYLeft, row) <= w.barPosition &&
          w.barPosition < f.number(kColFlapYRight, row)) {
        k = row;
        break;
      }
    }
    const Real left = f.number(kColFlapYLeft, k);
    const Real right = f.number(kColFlapYRight, k);
    if (left < w.barPosition && w.barPosition < right && k < count) {
      w.barPosition = fieldMiddle(f, k + 1);
    }
    if (w.barPosition == left) w.barPosition = fieldMiddle(f, k);
    w.barPosition = editing::clampedBar(w, w.barPosition);
    return Closing::barMoved(old);
  });
}

void jumpFieldLeft(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    const int count = w.flapCount();
    if (count < 1) return Closing::barMoved(old);
    const CellTable& f = w.flapTable;
    int k = count;
    for (int row = 1; row <= count; ++row) {
      if (f.number(kColFlapYLeft, row) < w.barPosition &&
          w.barPosition <= f.number(kColFlapYRight, row)) {
        k = row;
        break;
      }
    }
    if (f.number(kColFlapYLeft, k) < w.barPosition && w.barPosition < f.number(kColFlapYRight, k) &&
        k > 1) {
      --k;
      w.barPosition = fieldMiddle(f, k);
    }
    if (w.barPosition == f.number(kColFlapYRight, k)) w.barPosition = fieldMiddle(f, k);
    w.barPosition = editing::clampedBar(w, w.barPosition);
    return Closing::barMoved(old);
  });
}

}  // namespace velarix
