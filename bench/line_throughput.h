#pragma once

namespace veltra::bench {

// Lines per second through AnalizujWiersz for lines that need no description
// file (foreign items, Polish night items, other item types, missing
// nationality): the median of several passes.
double MedianLinesPerSecond(int linesPerPass, int passes);

}  // namespace veltra::bench
