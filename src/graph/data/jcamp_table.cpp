#include "graph/data/jcamp_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kurvex {
namespace {

constexpr char kCheckFailed[] = "JCAMP-DX check value does not match";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Writers round the line's x, sum DELTAX with drift or count points from the other end: a few
// steps (and a thousandth of the way so far) are allowed. A lost line in DIF form is caught by
// the y check.
constexpr double kXSteps = 5;
constexpr double kXDrift = 1e-3;

bool SameValue(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b || std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

// NaN is a missing value, a gap; anything else must lie within what the axes can take.
bool Drawable(double v) {
  return std::isnan(v) || std::abs(v) <= kJcampDrawableLimit;
}

}  // namespace

std::string JcampValueTooLarge(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", value);
  return std::string("JCAMP-DX value ") + text + " cannot be drawn";
}

void JcampTable::StartEquidistant(double firstX, double deltaX, std::size_t points, double xFactor,
                                  double yFactor) {
  equidistant_ = true;
  firstX_ = firstX;
  deltaX_ = deltaX;
  points_ = points;
  xFactor_ = xFactor;
  yFactor_ = yFactor;
}

void JcampTable::StartGroups(std::size_t groupSize, double xFactor, double yFactor) {
  equidistant_ = false;
  groupSize_ = groupSize;
  xFactor_ = xFactor;
  yFactor_ = yFactor;
}

std::optional<std::string> JcampTable::Decode(std::string_view line, std::size_t number) {
  if (std::optional<std::string> error = ReadAsdfLine(CutJcampComment(line), tokens_)) {
    return error;
  }
  if (tokens_.empty()) return std::nullopt;
  if (!equidistant_) return DecodeGroups(number);
  const std::size_t before = y_.size();
  if (std::optional<std::string> error = DecodeYs()) return error;
  if (lines_ && y_.size() > before) lines_->push_back({before, number});
  return std::nullopt;
}

bool JcampTable::XFits(double x, std::size_t index) const {
  const double at = static_cast<double>(index);
  const double drift = kXDrift * at;
  switch (xCheck_) {
    case XCheck::kAbscissa: {
      const double expected = firstX_ + at * deltaX_;
      const double slack = std::max(std::abs(xFactor_), kXSteps * std::abs(deltaX_)) +
                           drift * std::abs(deltaX_) + 1e-9 * std::abs(expected);
      return std::abs(x * xFactor_ - expected) <= slack;
    }
    case XCheck::kIndexUp:
      return std::abs(x - at) <= kXSteps + drift;
    case XCheck::kIndexDown:
      return points_ > 0 &&
             std::abs(x - (static_cast<double>(points_ - 1) - at)) <= kXSteps + drift;
    case XCheck::kOpen:
      break;
  }
  return false;
}

// The first line tells how the table writes its x: as the abscissa, or as the point index
// (JEOL counts down from the last point, Varian up from 0); the other lines must agree.
std::optional<std::string> JcampTable::CheckX(double x, std::size_t index) {
  if (xCheck_ != XCheck::kOpen) {
    if (XFits(x, index)) return std::nullopt;
    return kCheckFailed;
  }
  for (const XCheck way : {XCheck::kAbscissa, XCheck::kIndexUp, XCheck::kIndexDown}) {
    xCheck_ = way;
    if (XFits(x, index)) return std::nullopt;
  }
  xCheck_ = XCheck::kOpen;
  return kCheckFailed;
}

std::optional<std::string> JcampTable::DecodeYs() {
  const AsdfToken& head = tokens_.front();
  if (head.Kind == AsdfKind::Difference || head.Kind == AsdfKind::Repeat) {
    return "JCAMP-DX table line does not start with an x value";
  }
  ys_.clear();
  double y = lastY_;  // a difference at the line start adds to the line before
  bool haveY = haveLastY_;
  std::optional<AsdfKind> before;  // form of the value a repeat count repeats
  double step = 0;
  for (std::size_t i = 1; i < tokens_.size(); ++i) {
    const AsdfToken& t = tokens_[i];
    if (t.Kind == AsdfKind::Repeat) {
      if (!before) return "JCAMP-DX repeat count has no value before it";
      if (Full(t.Count - 1)) return limit_.Message;
      for (std::size_t k = 1; k < t.Count; ++k) {
        if (*before == AsdfKind::Difference) y += step;
        ys_.push_back(y);
      }
      continue;
    }
    if (t.Kind == AsdfKind::Difference) {
      if (!haveY) return "JCAMP-DX difference has no value before it";
      step = t.Number;
      y += step;
    } else {
      y = t.Kind == AsdfKind::Missing ? kNaN : t.Number;
    }
    if (Full(1)) return limit_.Message;
    ys_.push_back(y);
    haveY = true;
    before = t.Kind;
  }

  // After a line in DIF form the next line starts with the same point again, as a check.
  std::size_t first = 0;
  std::size_t lineIndex = y_.size();
  if (checkPending_ && lineIndex > 0) {
    --lineIndex;
    if (!ys_.empty()) {
      if (!SameValue(ys_.front(), lastY_)) return kCheckFailed;
      first = 1;
    }
  }
  if (head.Kind == AsdfKind::Value) {
    if (std::optional<std::string> error = CheckX(head.Number, lineIndex)) return error;
  }
  const auto xAt = [this](std::size_t index) {
    return firstX_ + static_cast<double>(index) * deltaX_;
  };
  for (std::size_t i = first; i < ys_.size(); ++i) {
    if (!Drawable(ys_[i] * yFactor_)) return JcampValueTooLarge(ys_[i] * yFactor_);
  }
  if (ys_.size() > first) {
    const double lastX = xAt(y_.size() + ys_.size() - first - 1);
    if (!Drawable(xAt(y_.size()))) return JcampValueTooLarge(xAt(y_.size()));
    if (!Drawable(lastX)) return JcampValueTooLarge(lastX);
  }
  for (std::size_t i = first; i < ys_.size(); ++i) {
    if (x_) x_->push_back(xAt(y_.size()));
    y_.push_back(ys_[i] * yFactor_);
  }
  if (!ys_.empty()) {
    lastY_ = ys_.back();
    haveLastY_ = true;
    checkPending_ = before == AsdfKind::Difference;
  }
  return std::nullopt;
}

std::optional<std::string> JcampTable::DecodeGroups(std::size_t number) {
  for (const AsdfToken& t : tokens_) {
    if (t.Kind == AsdfKind::Difference || t.Kind == AsdfKind::Repeat) {
      return "JCAMP-DX table of x,y groups holds a DIF or DUP value";
    }
  }
  if (tokens_.size() % groupSize_ != 0) return "JCAMP-DX table line ends inside a point";
  if (Full(tokens_.size() / groupSize_)) return limit_.Message;
  const std::size_t before = y_.size();
  for (std::size_t i = 0; i < tokens_.size(); i += groupSize_) {
    const AsdfToken& x = tokens_[i];
    const AsdfToken& y = tokens_[i + 1];
    const double xv = x.Kind == AsdfKind::Missing ? kNaN : x.Number * xFactor_;
    const double yv = y.Kind == AsdfKind::Missing ? kNaN : y.Number * yFactor_;
    if (!Drawable(xv) || !Drawable(yv)) {
      if (x_) x_->resize(before);
      y_.resize(before);
      return JcampValueTooLarge(Drawable(xv) ? yv : xv);
    }
    if (x_) x_->push_back(xv);
    y_.push_back(yv);
  }
  if (lines_) lines_->push_back({before, number});
  return std::nullopt;
}

}  // namespace kurvex
