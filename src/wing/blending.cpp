#include "wing/blending.h"

#include <stdexcept>

namespace velarix {

void UpdateBlendedSections(TWing&) {
  throw std::logic_error("UpdateBlendedSections is not implemented yet");
}

bool MarkKinkAsBlended(TWing&, Platform&) {
  throw std::logic_error("MarkKinkAsBlended is not implemented yet");
}

}  // namespace velarix
