#pragma once

namespace veltra {

// The five looks of a gauge; the order is the stored order of the values.
enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// bsSingle keeps a one-pixel black frame around the drawing.
enum class TBorderStyle { bsNone, bsSingle };

}  // namespace veltra
