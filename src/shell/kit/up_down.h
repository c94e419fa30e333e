#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kurvex::shell {

/// A spinner bound to an edit: its buttons write the new position into the edit as decimal text,
/// and it follows the edit's text while that is a whole number inside its range. Handlers that
/// read the position therefore never see an out-of-range or malformed value.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  /// Binds to `edit`; connect the edit's own change handler after this, so the position is
  /// already up to date when the handler runs.
  UpDown(const QString& objectName, QLineEdit* edit, int minimum, int maximum, int step,
         int position, QWidget* parent = nullptr);

  int Position() const { return position_; }
  /// Clamped to the range; the edit takes the clamped value as its text.
  void SetPosition(int position);
  /// The position `position` would give.
  int Clamped(int position) const;

  /// Presses the up (+1) or down (-1) button.
  void Step(int direction);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 private:
  void FollowEdit();

  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
  int minimum_;
  int maximum_;
  int step_;
  int position_;
};

}  // namespace kurvex::shell
