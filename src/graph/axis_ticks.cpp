#include "graph/axis_ticks.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "graph/axis_map.h"

namespace kurvex {

namespace {

// The limits are 48-bit reals: one typed as 0.001 misses the tick 0.001 by a hair.
constexpr long double kTolerance = 1e-9L;
// Beyond what a limit can hold (2.9E-39 to 1.7E38) no tick can fall in the range.
constexpr int kLowestExponent = -40;
constexpr int kHighestExponent = 39;
constexpr long double kFewDecades = 1000;
// Plain numbers from 10^-3 to 10^4.
constexpr int kPlainLowest = -3;
constexpr int kPlainHighest = 4;

// m x 10^e as the decimal text would parse, rounded once.
long double Decimal(int m, int e) {
  long double power = 1;
  for (int i = 0; i < std::abs(e); ++i) power *= 10;
  return e >= 0 ? m * power : m / power;
}

TickLabel DecadeLabel(int m, int e) {
  const bool plain = e >= kPlainLowest && (e < kPlainHighest || (e == kPlainHighest && m == 1));
  if (plain) return {FormatAxisValue(Decimal(m, e), std::max(0, -e)), {}};
  // The multiplication sign is in every text font's Latin-1 range; a superscript digit is not.
  return {m == 1 ? "10" : std::to_string(m) + "\u00D710", std::to_string(e)};
}

}  // namespace

std::string LogarithmicWarning(const TMyAxis& axis, const char* name) {
  if (!axis.Logarithmic || LogarithmicScale(axis)) return {};
  return std::string("Axis ") + name +
         " is logarithmic, but From or To is not above zero: it is drawn linear";
}

std::string LogarithmicWarnings(const GraphModel& model) {
  const std::string x = LogarithmicWarning(model.AxisX, "X");
  const std::string y = LogarithmicWarning(model.AxisY, "Y");
  return x.empty() || y.empty() ? x + y : x + "; " + y;
}

AxisTicks::AxisTicks(const TMyAxis& axis)
    : minimum_(axis.Minimum),
      span_(static_cast<long double>(axis.Maximum) - axis.Minimum),
      count_(axis.TickCount),
      decDigits_(axis.TickLabels.DecDigits) {
  if (!LogarithmicScale(axis)) return;
  const long double low = std::min<long double>(axis.Minimum, axis.Maximum);
  const long double high = std::max<long double>(axis.Minimum, axis.Maximum);
  const bool fewDecades = high < low * kFewDecades * (1 - kTolerance);
  const int first = std::max(kLowestExponent, static_cast<int>(std::floor(std::log10(low))));
  const int last = std::min(kHighestExponent, static_cast<int>(std::ceil(std::log10(high))));
  for (int e = first; e <= last; ++e) {
    for (const int m : {1, 2, 5}) {
      if (m > 1 && !fewDecades) break;
      const long double value = Decimal(m, e);
      if (value < low * (1 - kTolerance) || value > high * (1 + kTolerance)) continue;
      values_.push_back(value);
      labels_.push_back(DecadeLabel(m, e));
    }
  }
  if (values_.size() < 2) {
    values_.clear();
    labels_.clear();
  } else if (axis.Minimum > axis.Maximum) {
    std::reverse(values_.begin(), values_.end());
    std::reverse(labels_.begin(), labels_.end());
  }
}

int64_t AxisTicks::Last() const {
  if (!Even()) return static_cast<int64_t>(values_.size()) - 1;
  return count_ > 0 ? count_ : -1;
}

long double AxisTicks::Value(int64_t i) const {
  if (!Even()) return values_[static_cast<std::size_t>(i)];
  return minimum_ + span_ * i / count_;
}

TickLabel AxisTicks::Label(int64_t i) const {
  if (!Even()) return labels_[static_cast<std::size_t>(i)];
  return {FormatAxisValue(Value(i), decDigits_), {}};
}

}  // namespace kurvex
