#pragma once

namespace kurvex::shell {

/// Painting off while it lives: the program changes the style or the data in several steps and
/// draws once afterwards, or not at all. It puts back what it found, so guards nest; a handler
/// that must end with painting on whatever it found says so with After::kOn, which holds also
/// when the handler fails.
class PaintingOff {
 public:
  /// What painting is when the guard ends.
  enum class After { kAsFound, kOn };

  explicit PaintingOff(bool& paintEnabled, After after = After::kAsFound)
      : flag_(paintEnabled), before_(after == After::kOn || paintEnabled) {
    flag_ = false;
  }
  ~PaintingOff() { flag_ = before_; }
  PaintingOff(const PaintingOff&) = delete;
  PaintingOff& operator=(const PaintingOff&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace kurvex::shell
