// The ticks an axis draws from its origin on: linear ones in either direction, logarithmic ones
// in decades, and the linear rule where decades do not serve.
#include "graph/axis_ticks.h"

#include <gtest/gtest.h>

#include <string>

#include "common/real48.h"

namespace kurvex {
namespace {

struct TickCase {
  const char* what;
  long double from, to;
  int count;
  bool logarithmic;
  const char* labels;  // from the origin on; "^" starts an exponent drawn raised
  bool warns;
};

std::string Labels(const AxisTicks& ticks) {
  std::string text;
  for (int64_t i = 0; i <= ticks.Last(); ++i) {
    const TickLabel label = ticks.Label(i);
    if (!text.empty()) text += ' ';
    text += label.Base;
    if (!label.Exponent.empty()) text += "^" + label.Exponent;
  }
  return text;
}

TEST(AxisTicks, RunFromTheOriginInTheAxisDirection) {
  const TickCase cases[] = {
      {"rising", 300, 1000, 7, false, "300 400 500 600 700 800 900 1000", false},
      {"reversed: From at the origin", 1000, 300, 7, false, "1000 900 800 700 600 500 400 300",
       false},
      {"no count, no ticks", 0, 1, 0, false, "", false},
      {"five decades: powers of ten only", 0.01L, 1000, 4, true, "0.01 0.1 1 10 100 1000", false},
      {"under three decades: 2 and 5 as well", 1, 200, 4, true, "1 2 5 10 20 50 100 200", false},
      {"reversed decades", 1000, 1, 4, true, "1000 100 10 1", false},
      {"limits a hair off their decades as stored", 0.001L, 0.1L, 4, true,
       "0.001 0.002 0.005 0.01 0.02 0.05 0.1", false},
      {"powers beyond 0.001 to 10000", 1e-5L, 1e6L, 4, true,
       "10^-5 10^-4 0.001 0.01 0.1 1 10 100 1000 10000 10^5 10^6", false},
      {"2 and 5 times a power", 1e5L, 1e6L, 4, true, "10^5 2\u00D710^5 5\u00D710^5 10^6", false},
      {"one decade tick only: the linear rule", 2, 4, 2, true, "2 3 4", false},
      {"From at zero: drawn linear", 0, 100, 4, true, "0 25 50 75 100", true},
      {"To below zero: drawn linear", 10, -10, 2, true, "10 0 -10", true},
  };
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.what);
    TMyAxis axis;
    axis.Minimum = Real48::From(c.from);
    axis.Maximum = Real48::From(c.to);
    axis.TickCount = c.count;
    axis.Logarithmic = c.logarithmic;
    EXPECT_EQ(Labels(AxisTicks(axis)), c.labels);
    EXPECT_EQ(!LogarithmicWarning(axis, "X").empty(), c.warns);
  }
}

}  // namespace
}  // namespace kurvex
