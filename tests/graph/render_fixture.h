#pragma once

#include <gtest/gtest.h>

#include <string>

#include "graph/graph_engine.h"
#include "graph/layout.h"
#include "graph/model.h"
#include "graph/render/font_engine.h"

namespace kurvex::testing {

inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kBlack = 0;
inline constexpr TColor kRed = 0x0000FF;
inline constexpr TColor kBlue = 0xFF0000;

/// An engine with the values at start, painting on, ready for a redraw.
class RenderTest : public ::testing::Test {
 protected:
  RenderTest() {
    ApplyStartValues(engine.Model);
    engine.PaintEnabled = true;
  }

  TColor Pixel(int x, int y) const { return engine.Pixels().At(x, y); }

  /// Data whose curves stay outside the y range, so only axes, text and legend show.
  void UseDataOutsideRange() { engine.SetDataText("300 5 5\r\n1000 5 5"); }

  /// Number of non-background pixels in [x0, x1) x [y0, y1).
  int InkIn(int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += Pixel(x, y) != kWhite;
    }
    return n;
  }

  int LineHeight(const TMyFont& font) { return engine.Fonts().LineHeight(font); }

  GraphEngine engine;
};

/// Fixed-pitch measuring for layout tables: 7 pixels a byte, 15 pixels a line.
class FakeMeasurer : public TextMeasurer {
 public:
  TextSize Measure(const TMyFont&, std::string_view text) override {
    return {static_cast<int>(text.size()) * 7, 15};
  }
};

}  // namespace kurvex::testing
