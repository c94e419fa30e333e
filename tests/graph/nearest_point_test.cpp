// Finding the data point nearest the pointer in the index of a drawing's points.
#include "graph/nearest_point.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "graph/data/data_text.h"

namespace kurvex {
namespace {

// 300 x 300 pixels, both axes 0..100 over 200 pixels from the origin (50, 250): a value v lies
// at column 50 + 2v and row 250 - 2v.
GraphModel Plot() {
  GraphModel m = StartModel();
  m.ImageWidth = 300;
  m.ImageHeight = 300;
  m.AxisX.Left = 50;
  m.AxisX.Length = 200;
  m.AxisY.Bottom = 50;
  m.AxisY.Length = 200;
  m.AxisX.Minimum = Real48::From(0);
  m.AxisX.Maximum = Real48::From(100);
  m.AxisY.Minimum = Real48::From(0);
  m.AxisY.Maximum = Real48::From(100);
  for (int k = 1; k <= kCurveCount; ++k) m.Curve[k].SymbolVisible = false;
  return m;
}

struct NearCase {
  const char* what;
  const char* data;
  std::function<void(GraphModel&)> style;
  int x, y;
  int curve;  // 0: nothing found
  std::size_t line;
};

void Plain(GraphModel&) {}

TEST(NearestPoint, FindsThePointAUserPointsAt) {
  const NearCase cases[] = {
      {"the point under the pointer", "10 20\n30 40\n", Plain, 70, 210, 1, 0},
      {"twelve pixels away", "10 20\n30 40\n", Plain, 82, 210, 1, 0},
      {"thirteen pixels away", "10 20\n30 40\n", Plain, 83, 210, 0, 0},
      {"nine across and nine down is beyond twelve", "10 20\n", Plain, 79, 219, 0, 0},
      {"exactly between two lines: the earlier", "10 20\n20 20\n", Plain, 80, 210, 1, 0},
      {"exactly between two curves: the lower", "10 20 30\n", Plain, 70, 200, 1, 0},
      {"the nearer of two curves", "10 20 30\n", Plain, 70, 192, 2, 0},
      {"a later line on the same pixel loses", "10 20 5\n10 20 20\n", Plain, 70, 210, 1, 0},
      {"a gap is no point", "10 NaN\n12 20\n", Plain, 70, 210, 1, 1},
      {"outside the axes without symbols", "-5 20\n", Plain, 40, 210, 0, 0},
      {"outside the axes with symbols", "-5 20\n",
       [](GraphModel& m) { m.Curve[1].SymbolVisible = true; }, 40, 210, 1, 0},
      {"reversed x axis", "10 20\n",
       [](GraphModel& m) { std::swap(m.AxisX.Minimum, m.AxisX.Maximum); }, 230, 210, 1, 0},
      {"reversed y axis", "10 20\n",
       [](GraphModel& m) { std::swap(m.AxisY.Minimum, m.AxisY.Maximum); }, 70, 90, 1, 0},
      {"logarithmic y axis: 10 halfway up 1..100", "10 10\n",
       [](GraphModel& m) {
         m.AxisY.Logarithmic = true;
         m.AxisY.Minimum = Real48::From(1);
       },
       70, 150, 1, 0},
      {"logarithmic y axis: zero is a gap", "10 0\n11 10\n",
       [](GraphModel& m) {
         m.AxisY.Logarithmic = true;
         m.AxisY.Minimum = Real48::From(1);
       },
       70, 150, 1, 1},
      {"logarithmic reversed x axis: 10 halfway along 100..1", "10 20\n",
       [](GraphModel& m) {
         m.AxisX.Logarithmic = true;
         m.AxisX.Minimum = Real48::From(100);
         m.AxisX.Maximum = Real48::From(1);
       },
       150, 210, 1, 0},
      {"nothing from the line that does not convert on", "10 20\n12 x\n14 20\n", Plain, 78, 210, 1,
       0},
  };
  for (const NearCase& c : cases) {
    SCOPED_TRACE(c.what);
    GraphModel model = Plot();
    c.style(model);
    DrawingState state;
    state.OriginX = 50;
    state.OriginY = 250;
    const NumericColumns columns(DataText(c.data), MissingValues::kAreGaps);
    const NearestPointIndex index(columns, model, state);
    const std::optional<NearPoint> found = index.Nearest(c.x, c.y);
    ASSERT_EQ(found.has_value(), c.curve != 0);
    if (!found) continue;
    EXPECT_EQ(found->Curve, c.curve);
    EXPECT_EQ(found->Line, c.line);
    EXPECT_LE((found->Px - c.x) * (found->Px - c.x) + (found->Py - c.y) * (found->Py - c.y), 144);
  }
}

}  // namespace
}  // namespace kurvex
