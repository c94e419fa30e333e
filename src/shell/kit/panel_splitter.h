#pragma once

#include <QWidget>

namespace kurvex::shell {

/// A thin vertical bar that resizes the side panel next to it; the panel keeps the width the
/// user drags it to (and that the options file restores) when the window is resized.
class PanelSplitter : public QWidget {
  Q_OBJECT

 public:
  enum class Side { PanelOnLeft, PanelOnRight };

  /// `neighbour` is the widget on the other side, which gives up or takes the space.
  PanelSplitter(const QString& objectName, QWidget* panel, QWidget* neighbour, Side side,
                int minSize, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* panel_;
  QWidget* neighbour_;
  Side side_;
  int minSize_;
  int pressX_ = 0;
  int startWidth_ = 0;
  int startNeighbour_ = 0;
};

/// The panel's width from now on.
void SetPanelWidth(QWidget* panel, int width);

}  // namespace kurvex::shell
