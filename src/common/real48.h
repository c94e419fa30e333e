#pragma once

namespace kurvex {

/// A value held with the precision and range of the 6-byte real: 40 significant bits, magnitudes
/// from about 2.9E-39 to 1.7E38. Arithmetic happens in long double.
class Real48 {
 public:
  constexpr Real48() = default;

  /// Rounds to 40 significant bits (+1 in the last place when the first dropped bit is 1);
  /// magnitudes below the range become 0, above it throw Error("Floating point overflow").
  static Real48 From(long double value);

  constexpr operator long double() const { return value_; }
  constexpr bool operator==(const Real48&) const = default;

 private:
  double value_ = 0;  // 40 significant bits always fit a double exactly
};

}  // namespace kurvex
