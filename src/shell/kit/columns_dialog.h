#pragma once

#include <QDialog>
#include <cstddef>
#include <string>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QListWidget;

namespace kurvex::shell {

/// What the columns dialog asks: the file's column names and the columns drawn now.
struct ColumnsQuestion {
  std::string Title;
  std::string XLabel;
  std::string YLabel;
  std::vector<std::string> Names;
  std::size_t X = 0;           // from 0
  std::vector<std::size_t> Y;  // from 0
};

/// The columns chosen: x and one to ten curves, from 0.
struct ColumnsAnswer {
  std::size_t X = 0;
  std::vector<std::size_t> Y;
  bool operator==(const ColumnsAnswer&) const = default;
};

/// Lists a file's columns by name: one x column, and the y columns checked, at most ten. OK
/// takes a choice of at least one curve.
class ColumnsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxCurves = 10;

  explicit ColumnsDialog(const ColumnsQuestion& question, QWidget* parent = nullptr);
  ColumnsAnswer Answer() const;

  QComboBox* XColumn() const { return x_; }
  QListWidget* YColumns() const { return y_; }
  QDialogButtonBox* Buttons() const { return buttons_; }

 private:
  // An eleventh curve is not taken; OK waits for the first.
  void FollowChecks();

  QComboBox* x_;
  QListWidget* y_;
  QDialogButtonBox* buttons_;
};

}  // namespace kurvex::shell
