#include "common/real48.h"

#include <cmath>
#include <cstdint>

#include "common/error.h"

namespace kurvex {

namespace {

constexpr int kSignificantBits = 40;
// value = 1.f x 2^(e - 129) with the exponent byte e in 1..255.
constexpr int kBias = 129;
constexpr int kMaxExponentByte = 255;

}  // namespace

Real48 Real48::From(long double value) {
  if (std::isnan(value)) throw Error("Invalid floating point operation");
  if (std::isinf(value)) throw Error("Floating point overflow");
  Real48 result;
  if (value == 0) return result;

  int exponent;  // |value| = m x 2^exponent with 0.5 <= m < 1
  const long double mantissa = std::frexp(std::fabs(value), &exponent);
  const long double scaled =
      std::ldexp(mantissa, kSignificantBits);  // exact: only the exponent moves
  auto bits = static_cast<uint64_t>(scaled);
  if (scaled - static_cast<long double>(bits) >= 0.5L) ++bits;
  if (bits == (uint64_t{1} << kSignificantBits)) {
    bits >>= 1;
    ++exponent;
  }
  const int exponentByte = exponent - 1 + kBias;
  if (exponentByte > kMaxExponentByte) throw Error("Floating point overflow");
  if (exponentByte < 1) return result;

  const double magnitude = std::ldexp(static_cast<double>(bits), exponent - kSignificantBits);
  result.value_ = value < 0 ? -magnitude : magnitude;
  return result;
}

}  // namespace kurvex
