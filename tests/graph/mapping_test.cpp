#include "graph/mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "common/error.h"
#include "graph/axis_map.h"
#include "graph/model.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

GraphModel DefaultsWithOrigin() {
  return StartModel();
}

// The origin a full drawing of the model finds.
DrawingState OriginOf(const GraphModel& m) {
  DrawingState s;
  s.OriginX = m.AxisX.Left;
  s.OriginY = m.ImageHeight - m.AxisY.Bottom;
  return s;
}

const std::string kPrefix = kCursorPositionPrefix;

TEST(Mapping, DefaultAxesMapTheNamedValues) {
  const GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  EXPECT_EQ(ValueToPixelX(m, s, 650), 320);
  EXPECT_EQ(ValueToPixelX(m, s, 300), 70);
  EXPECT_EQ(ValueToPixelX(m, s, 1000), 570);
  EXPECT_EQ(ValueToPixelX(m, s, 230), 20);  // below the minimum: left of the origin, not clamped
  EXPECT_EQ(ValueToPixelY(m, s, 1), 230);
  EXPECT_EQ(ValueToPixelY(m, s, -1), 370);
  EXPECT_EQ(ValueToPixelY(m, s, 3), 90);
  EXPECT_DOUBLE_EQ(static_cast<double>(PixelToValueX(m, s, 320)), 650.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(PixelToValueY(m, s, 230)), 1.0);
}

TEST(Mapping, TiesRoundToEven) {
  GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  m.AxisX.Minimum = Real48::From(0);
  m.AxisX.Maximum = Real48::From(100);
  m.AxisX.Length = 100;
  s.OriginX = 0;
  EXPECT_EQ(ValueToPixelX(m, s, 2.5), 2);
  EXPECT_EQ(ValueToPixelX(m, s, 3.5), 4);
  EXPECT_EQ(ValueToPixelX(m, s, -2.5), -2);
  m.AxisY.Minimum = Real48::From(0);
  m.AxisY.Maximum = Real48::From(100);
  m.AxisY.Length = 100;
  s.OriginY = 0;
  EXPECT_EQ(ValueToPixelY(m, s, 2.5), -2);
}

TEST(Mapping, FailuresCarryTheFloatingPointMessages) {
  GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  m.AxisX.Maximum = m.AxisX.Minimum;
  try {
    ValueToPixelX(m, s, 500);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  try {
    ValueToPixelX(m, s, 300);  // 0 / 0
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
  m = DefaultsWithOrigin();
  try {
    ValueToPixelX(m, s, 1e30);  // rounds outside int32
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation");
  }
  m.AxisY.Length = 0;
  EXPECT_THROW_MESSAGE(PixelToValueY(m, s, 100), Error, "Floating point division by zero");
}

TEST(Mapping, OriginPlusOffsetSaturatesInsteadOfOverflowing) {
  GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  s.OriginX = 2147483000;
  EXPECT_EQ(ValueToPixelX(m, s, 1000000), 2147483647);
}

// The extended-precision formula, rounded half to even, against the mapping's quick path over
// random axes, with many values a hair away from (or exactly on) a half pixel.
TEST(Mapping, EveryValueRoundsAsTheExtendedFormulaDoes) {
  std::mt19937_64 random(13);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int axis = 0; axis < 2000; ++axis) {
    GraphModel m = DefaultsWithOrigin();
    DrawingState s = OriginOf(m);
    const double minimum = (unit(random) - 0.5) * std::pow(10.0, unit(random) * 12 - 3);
    const double span = (unit(random) < 0.1 ? -1 : 1) * std::pow(10.0, unit(random) * 14 - 7);
    m.AxisX.Minimum = Real48::From(minimum);
    m.AxisX.Maximum = Real48::From(minimum + span);
    m.AxisX.Length = 1 + static_cast<int>(unit(random) * 2000);
    const long double min = m.AxisX.Minimum;
    const long double realSpan = static_cast<long double>(m.AxisX.Maximum) - min;
    if (realSpan == 0) continue;
    for (int k = 0; k < 100; ++k) {
      const double half = (std::floor(unit(random) * 4000) - 1000 + 0.5) / m.AxisX.Length;
      const double nudge[] = {0, 1e-15, -1e-15, 1e-9, -1e-9, unit(random) - 0.5};
      const double v = static_cast<double>(min + realSpan * (half + nudge[k % 6]));
      const int32_t expected =
          AddPixels(s.OriginX, RoundToInt32((v - min) * m.AxisX.Length / realSpan), 1);
      ASSERT_EQ(ValueToPixelX(m, s, v), expected)
          << std::hexfloat << minimum << " " << span << " " << m.AxisX.Length << " " << v;
    }
  }
}

TEST(CursorReadout, InsideShowsBothValuesWithTheirDecimals) {
  const GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  EXPECT_EQ(CursorReadout(m, s, kPrefix, 320, 230), kPrefix + "   X=650;   Y=1.00");
  EXPECT_EQ(CursorReadout(m, s, kPrefix, 70, 370), kPrefix + "   X=300;   Y=-1.00");
  EXPECT_EQ(CursorReadout(m, s, kPrefix, 570, 90), kPrefix + "   X=1000;   Y=3.00");
}

TEST(CursorReadout, OutsideTheInclusiveBoundsShowsQuestionMarks) {
  const GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  const std::string outside = kPrefix + "   X=?;   Y=?";
  for (auto [x, y] : {std::pair{69, 200}, {571, 200}, {300, 371}, {300, 89}}) {
    EXPECT_EQ(CursorReadout(m, s, kPrefix, x, y), outside) << x << "," << y;
  }
  EXPECT_EQ(ClearCursorText(kPrefix), outside);
  EXPECT_EQ(InitialCursorText(), "Position in coordinate system:   X=?;   Y=?;");
}

TEST(CursorReadout, UsesAReplacedPrefix) {
  const GraphModel m = DefaultsWithOrigin();
  DrawingState s = OriginOf(m);
  EXPECT_EQ(CursorReadout(m, s, "Pozice:", 320, 230), "Pozice:   X=650;   Y=1.00");
}

}  // namespace
}  // namespace kurvex
