// Any card file: the analysis program either writes a finite listing or
// reports the input as unusable; it never crashes or hangs.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards.h"
#include "listing.h"
#include "numbers.h"
#include "section_analysis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velarix::analysis;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    CardDeck deck = readCards(text);
    // Keep each input cheap: a few angles are enough to reach every branch.
    if (deck.anglesDeg.size() > 4) {
      deck.anglesDeg.resize(4);
      deck.angleCardSizes = {4};
    }
    const SectionAnalysis analysis(deck);
    std::vector<AngleResult> results;
    for (double alpha : deck.anglesDeg) results.push_back(analysis.analyse(alpha));
    const std::string listing = writeListing(deck, analysis, results);
    if (listing.find("nan") != std::string::npos || listing.find("inf") != std::string::npos) __builtin_trap();
  } catch (const AnalysisInputError&) {
  }
  return 0;
}
