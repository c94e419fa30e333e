#pragma once

#include <QTreeWidget>

namespace kurvex::shell {

/// The navigation tree. It reports presses after its own handling (so a left press has already
/// selected the item; no other press changes the selection), lets Enter fold and unfold, and
/// reports pointer moves.
class NavTree : public QTreeWidget {
  Q_OBJECT

 public:
  explicit NavTree(QWidget* parent = nullptr);

  /// Creates the 22 items with their design texts.
  void BuildItems();
  /// The state images of the items that have one; the others get a blank one.
  void SetTreeImages();

  /// The item at an absolute (depth-first) index, or nullptr.
  QTreeWidgetItem* ItemAt(int absoluteIndex) const;
  /// Depth-first index of an item; -1 for nullptr.
  int AbsoluteIndex(const QTreeWidgetItem* item) const;
  int ItemCount() const;

  /// The selected item, or nullptr.
  QTreeWidgetItem* Selected() const;

 signals:
  void MouseDown(Qt::MouseButton button, const QPoint& pos);
  void MouseMoved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kurvex::shell
