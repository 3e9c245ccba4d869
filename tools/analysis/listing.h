// The printed listing of an analysis run.
//
// Fields that the main program reads (1-based columns):
//   "1AIRFOIL <name>, <flap chord>% FLAP<deflection, 7 columns> ..."
//   " MACH ..."  line before each velocity table, the angles after the first
//                two consecutive blanks, seven columns each from column 27
//   "   N ..."   velocity-table header; rows: chord position columns 5-15,
//                velocity ratio of the j-th angle at 27 + 7 (j - 1), 7 columns;
//                the table ends with the line " SUMMARY ..."
//   "0         R = <Re, 9 columns>   R = ...   MU=<roughness>"
//   "0 ALPHA =<angle, 7 columns>", one further line, then four lines with a
//   24-column group per Reynolds number k from column 11 + 24 (k - 1):
//   upper and lower transition value t (6 columns, x/c = 1 - t) with the
//   bubble mark "*" at column 31 + 24 (k - 1); "CL=" (6) and "CD=" (7); "CM=" (7).
#pragma once

#include <string>
#include <vector>

#include "cards.h"
#include "section_analysis.h"

namespace velarix::analysis {

std::string writeListing(const CardDeck& deck, const SectionAnalysis& analysis,
                         const std::vector<AngleResult>& results);

}  // namespace velarix::analysis
