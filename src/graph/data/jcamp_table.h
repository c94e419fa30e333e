#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graph/data/jcamp_asdf.h"

namespace kurvex {

/// Where the points of one line of a JCAMP-DX table start.
struct JcampLine {
  std::size_t FirstPoint = 0;  // index of the line's first point
  std::size_t Line = 0;        // 1-based line of the file
  bool operator==(const JcampLine&) const = default;
};

/// Values beyond this cannot be drawn: the axes hold about 1.7E38, and the fit wants room.
inline constexpr double kJcampDrawableLimit = 1e37;

/// What bounds the points of one table: the count the file declares (with a little slack for
/// writers that miscount) and the size of the file.
struct JcampPointLimit {
  std::size_t Points = 0;
  std::string Message;  // the error when a table goes past it
};

/// Turns the lines of one table into points. Each line is decoded aside and kept only when it
/// decodes whole, so a failure leaves the points of the lines before it.
class JcampTable {
 public:
  /// The points go to `x` and `y`; `x` and `lines` may be left out (a further page of a table
  /// whose x another page gives).
  JcampTable(std::vector<double>* x, std::vector<double>& y, std::vector<JcampLine>* lines,
             JcampPointLimit limit)
      : x_(x), y_(y), lines_(lines), limit_(std::move(limit)) {}

  /// (X++(Y..Y)): x of point i is firstX + i * deltaX; the line's leading x only checks it,
  /// loosely, and may also be the point index (counting up or down from `points` - 1).
  void StartEquidistant(double firstX, double deltaX, std::size_t points, double xFactor,
                        double yFactor);
  /// (XY..XY) with `groupSize` 2, or (XYW..XYW) and (XYM..XYM) with 3 (the third ignored).
  void StartGroups(std::size_t groupSize, double xFactor, double yFactor);

  /// Decodes one line (its comment already cut or not); the error message when it fails.
  std::optional<std::string> Decode(std::string_view line, std::size_t number);

 private:
  enum class XCheck { kOpen, kAbscissa, kIndexUp, kIndexDown };

  bool Full(std::size_t more) const { return y_.size() + ys_.size() + more > limit_.Points; }
  bool XFits(double x, std::size_t index) const;
  std::optional<std::string> CheckX(double x, std::size_t index);
  std::optional<std::string> DecodeYs();
  std::optional<std::string> DecodeGroups(std::size_t number);

  std::vector<double>* x_;
  std::vector<double>& y_;
  std::vector<JcampLine>* lines_;
  JcampPointLimit limit_;
  std::vector<AsdfToken> tokens_;
  std::vector<double> ys_;
  bool equidistant_ = false;
  std::size_t groupSize_ = 2;
  double firstX_ = 0, deltaX_ = 0, xFactor_ = 1, yFactor_ = 1;
  std::size_t points_ = 0;
  XCheck xCheck_ = XCheck::kOpen;
  double lastY_ = 0;
  bool haveLastY_ = false;
  bool checkPending_ = false;
};

/// The message for a value that cannot be drawn, naming it.
std::string JcampValueTooLarge(double value);

}  // namespace kurvex
