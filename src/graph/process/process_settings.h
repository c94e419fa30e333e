#pragma once

#include <cstdint>
#include <vector>

namespace kurvex {

/// How each curve is scaled after the baseline and the smoothing.
enum class NormalizeTo : int32_t { kNone = 0, kMaximum = 1, kArea = 2, kValueAt = 3 };

/// What is taken away from each curve before everything else.
enum class BaselineKind : int32_t { kNone = 0, kLine = 1, kPolynomial = 2, kHull = 3 };

/// What is done to the numbers of each curve between reading and drawing (the [Processing]
/// section of an options file); the data file never changes. The values at start do nothing,
/// and a style that holds them writes no section at all. Values out of range are read as the
/// nearest that works (an even window is one wider, a degree above 5 is 5, an unknown mode is
/// off), so that any file draws.
struct TProcessing {
  int32_t Normalize = 0;  // a NormalizeTo
  double NormalizeAt = 0;
  double Offset = 0;  // added to every curve
  bool Stack = false;
  double StackStep = 0;  // 0: each curve just above the one before it
  int32_t Baseline = 0;  // a BaselineKind
  double BaselineX1 = 0;
  double BaselineX2 = 0;
  int32_t BaselineDegree = 1;
  std::vector<double> BaselinePoints;  // the marked x positions
  /// The baseline is drawn (dashed) instead of being subtracted.
  bool ShowBaseline = false;
  bool Smooth = false;  // Savitzky-Golay
  int32_t SmoothWindow = 5;
  int32_t SmoothOrder = 2;
  /// 1 or 2: the curves' derivative, by the smoothing's window and order (also when Smooth is
  /// off).
  int32_t Derivative = 0;

  bool operator==(const TProcessing&) const = default;
};

/// Whether the settings change any number drawn.
bool ProcessingOn(const TProcessing& p);

}  // namespace kurvex
