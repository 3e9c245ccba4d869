#include "cards.h"

#include <cmath>

#include "numbers.h"

namespace velarix::analysis {
namespace {

class LineReader {
 public:
  explicit LineReader(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
      }
      lines_.emplace_back(line);
      start = end + 1;
    }
  }
  bool atEnd() const { return next_ >= lines_.size(); }
  // 1-based number of the line last returned.
  std::size_t lineNumber() const { return next_; }
  const std::string& take() { return lines_[next_++]; }
  void skipEmpty() {
    while (!atEnd() && trimBlanks(lines_[next_]).empty()) ++next_;
  }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

[[noreturn]] void fail(std::size_t line, const std::string& what) {
  throw AnalysisInputError("card file line " + std::to_string(line) + ": " + what);
}

std::string quoted(std::string_view text) {
  std::string shown(text.substr(0, 40));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 32) c = '?';
  }
  return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

// Field of columns [first, first + width) (1-based) as a number; blanks allowed.
double fixedField(const std::string& line, std::size_t lineNo, std::size_t first, std::size_t width,
                  const char* what) {
  if (line.size() < first) fail(lineNo, std::string("missing ") + what + " in columns " +
                                            std::to_string(first) + "-" + std::to_string(first + width - 1));
  const std::string_view field = std::string_view(line).substr(first - 1, width);
  const auto value = parseDecimal(field);
  if (!value) fail(lineNo, std::string(what) + " " + quoted(field) + " is not a number");
  return *value;
}

std::vector<std::string_view> splitBlanks(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) tokens.push_back(line.substr(i, j - i));
    i = j;
  }
  return tokens;
}

std::vector<double> readBlock(LineReader& reader, int count, const char* what) {
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(count));
  while (static_cast<int>(values.size()) < count) {
    if (reader.atEnd()) fail(reader.lineNumber(), std::string("card file ends inside the ") + what + " block");
    const std::string& line = reader.take();
    const auto tokens = splitBlanks(line);
    if (tokens.empty()) fail(reader.lineNumber(), std::string("empty line inside the ") + what + " block");
    if (static_cast<int>(values.size() + tokens.size()) > count) {
      fail(reader.lineNumber(), std::string("more values than points in the ") + what + " block");
    }
    for (auto token : tokens) {
      const auto value = parseDecimal(token);
      if (!value) fail(reader.lineNumber(), std::string(what) + " value " + quoted(token) + " is not a number");
      values.push_back(*value);
    }
  }
  return values;
}

int readCount(std::string_view token, std::size_t lineNo) {
  const auto value = parseDecimal(token);
  if (!value || *value != std::floor(*value) || *value < 1 || *value > kMaxPointsPerSurface) {
    fail(lineNo, "point count " + quoted(token) + " is not a whole number from 1 to " +
                     std::to_string(kMaxPointsPerSurface));
  }
  return static_cast<int>(*value);
}

void readFlapCard(const std::string& line, std::size_t lineNo, CardDeck& deck) {
  if (deck.hasFlap) fail(lineNo, "second FLAP card");
  if (line.size() > 30) fail(lineNo, "FLAP card longer than 30 columns");
  FlapCard flap;
  flap.chordPercent = fixedField(line, lineNo, 5, 11, "flap chord") / 100.0;
  flap.hingeOrdinate = fixedField(line, lineNo, 16, 5, "hinge ordinate") / 10000.0;
  fixedField(line, lineNo, 21, 5, "third flap number");  // written as 400; not used
  flap.deflectionDeg = fixedField(line, lineNo, 26, 5, "flap deflection") / 100.0;
  if (flap.chordPercent < 0.0 || flap.chordPercent > 100.0) {
    fail(lineNo, "flap chord " + formatDecimal(flap.chordPercent, 2) + " % is outside 0 ... 100");
  }
  if (std::fabs(flap.deflectionDeg) > 98.0) {
    fail(lineNo, "flap deflection " + formatDecimal(flap.deflectionDeg, 2) + " deg is outside -98 ... 98");
  }
  deck.hasFlap = true;
  deck.flap = flap;
}

std::vector<ReynoldsGroup> readReynoldsCard(const std::string& line, std::size_t lineNo) {
  if (line.size() <= 10) fail(lineNo, "RE card without a Reynolds number");
  const std::size_t groups = (line.size() - 10 + 9) / 10;
  if (groups > static_cast<std::size_t>(kMaxReynoldsGroups)) {
    fail(lineNo, "RE card with more than " + std::to_string(kMaxReynoldsGroups) + " Reynolds numbers");
  }
  std::vector<ReynoldsGroup> result;
  for (std::size_t k = 0; k < groups; ++k) {
    const std::size_t first = 11 + 10 * k;
    ReynoldsGroup group;
    group.roughness = fixedField(line, lineNo, first, 5, "roughness code") / 1000.0;
    group.reynolds = fixedField(line, lineNo, first + 5, 5, "Reynolds number / 1000") * 1000.0;
    if (group.roughness < 0.0 || group.roughness > 20.0) {
      fail(lineNo, "roughness code " + formatDecimal(group.roughness, 3) + " is outside 0 ... 20");
    }
    if (group.reynolds < 1000.0) {
      fail(lineNo, "Reynolds number " + formatDecimal(group.reynolds, 0) + " is below 1000");
    }
    result.push_back(group);
  }
  return result;
}

void readAngleCard(const std::string& line, std::size_t lineNo, CardDeck& deck) {
  const double count = fixedField(line, lineNo, 8, 3, "angle count");
  if (count != std::floor(count) || count < 1 || count > 14) {
    fail(lineNo, "angle count " + formatDecimal(count, 0) + " is not 1 ... 14");
  }
  const auto n = static_cast<std::size_t>(count);
  if (line.size() > 10 + 5 * n) fail(lineNo, "more text than " + std::to_string(n) + " angles");
  for (std::size_t i = 0; i < n; ++i) {
    deck.anglesDeg.push_back(fixedField(line, lineNo, 11 + 5 * i, 5, "angle") / 100.0);
  }
  if (deck.anglesDeg.size() > static_cast<std::size_t>(kMaxAngles)) {
    fail(lineNo, "more than " + std::to_string(kMaxAngles) + " angles");
  }
  deck.angleCardSizes.push_back(static_cast<int>(n));
}

}  // namespace

CardDeck readCards(std::string_view text) {
  LineReader reader(text);
  CardDeck deck;
  reader.skipEmpty();
  if (reader.atEnd()) throw AnalysisInputError("card file is empty");
  if (trimBlanks(reader.take()) != "FXPR") fail(reader.lineNumber(), "first card is not FXPR");
  if (reader.atEnd()) fail(reader.lineNumber(), "airfoil name missing");
  deck.name = std::string(trimBlanks(reader.take()));

  if (reader.atEnd()) fail(reader.lineNumber(), "point counts missing");
  const std::string& countLine = reader.take();
  const auto counts = splitBlanks(countLine);
  if (counts.size() != 2) fail(reader.lineNumber(), "expected two point counts, found " + quoted(countLine));
  const int upperCount = readCount(counts[0], reader.lineNumber());
  const int lowerCount = readCount(counts[1], reader.lineNumber());
  deck.upperX = readBlock(reader, upperCount, "upper x");
  deck.upperY = readBlock(reader, upperCount, "upper y");
  deck.lowerX = readBlock(reader, lowerCount, "lower x");
  deck.lowerY = readBlock(reader, lowerCount, "lower y");

  bool ended = false;
  while (!reader.atEnd()) {
    const std::string& line = reader.take();
    const std::size_t lineNo = reader.lineNumber();
    if (trimBlanks(line).empty()) continue;
    const std::string_view key = std::string_view(line).substr(0, 4);
    if (key == "ENDE") {
      ended = true;
      break;
    } else if (key == "FLAP") {
      readFlapCard(line, lineNo, deck);
    } else if (key == "ALFA") {
      readAngleCard(line, lineNo, deck);
    } else if (line.size() >= 3 && line.compare(0, 3, "RE ") == 0) {
      auto groups = readReynoldsCard(line, lineNo);
      if (deck.reynolds.empty()) {
        deck.reynolds = std::move(groups);
      } else {
        bool same = groups.size() == deck.reynolds.size();
        for (std::size_t k = 0; same && k < groups.size(); ++k) {
          same = groups[k].reynolds == deck.reynolds[k].reynolds && groups[k].roughness == deck.reynolds[k].roughness;
        }
        if (!same) fail(lineNo, "RE card differs from the first RE card");
      }
    } else {
      fail(lineNo, "unknown card " + quoted(line));
    }
  }
  if (!ended) fail(reader.lineNumber(), "card file ends without ENDE");
  if (deck.anglesDeg.empty()) throw AnalysisInputError("card file has no ALFA card");
  if (deck.reynolds.empty()) throw AnalysisInputError("card file has no RE card");
  return deck;
}

}  // namespace velarix::analysis
