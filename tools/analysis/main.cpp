// velarix-analysis: reads a card file, analyses the airfoil and writes the
// listing.  Usage: velarix-analysis <card file> <listing file>
// Exit status 0 on success; 1 with a message on stderr for unusable input
// (no listing is left behind then); 2 for a wrong command line.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cards.h"
#include "listing.h"
#include "numbers.h"
#include "section_analysis.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw velarix::analysis::AnalysisInputError("cannot open the card file " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
  // Written beside the target and renamed, so that a reader never sees half a listing.
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw velarix::analysis::AnalysisInputError("cannot write the listing " + path);
    out << text;
    if (!out.flush()) throw velarix::analysis::AnalysisInputError("cannot write the listing " + path);
  }
  std::filesystem::rename(temporary, path);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velarix::analysis;
  if (argc != 3) {
    std::cerr << "usage: velarix-analysis <card file> <listing file>\n";
    return 2;
  }
  const std::string listingPath = argv[2];
  try {
    const CardDeck deck = readCards(readFile(argv[1]));
    const SectionAnalysis analysis(deck);
    std::vector<AngleResult> results;
    results.reserve(deck.anglesDeg.size());
    for (double alpha : deck.anglesDeg) results.push_back(analysis.analyse(alpha));
    writeFile(listingPath, writeListing(deck, analysis, results));
    return 0;
  } catch (const std::exception& error) {
    // A listing left from an earlier run must not pass for this run's result.
    std::error_code ignored;
    std::filesystem::remove(listingPath, ignored);
    std::cerr << "velarix-analysis: " << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
}
