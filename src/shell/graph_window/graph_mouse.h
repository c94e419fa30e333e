#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_parts.h"
#include "graph/model.h"
#include "shell/graph_window/graph_steps.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace kurvex::shell {

class GraphView;
class TFormKurvex;

/// The graph answers the mouse and the keys: a dragged rectangle, the wheel, +, - and the arrows
/// zoom and pan; a double click and Home fit to the data; the legend, the text block and the
/// titles are dragged to a new place; Esc ends a drag without a change. Gestures run in the
/// plot rectangle of the last full drawing; the wheel elsewhere scrolls the graph area.
class GraphMouse : public QObject {
  Q_OBJECT

 public:
  /// Answers on `graph`'s image; the actions of its steps are `owner`'s.
  GraphMouse(QWidget& owner, TFormKurvex& graph, const GraphSeams& seams);

  GraphSteps& Steps() const { return *steps_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Drag { kNone, kZoom, kPan, kPart };

  bool Press(QMouseEvent* event);
  void Move(QMouseEvent* event);
  bool Release(QMouseEvent* event);
  bool DoubleClick(QMouseEvent* event);
  bool Wheel(QWheelEvent* event);
  bool Key(QKeyEvent* event);
  /// Space held makes the left button pan; while the pointer is over the graph it is the graph's.
  bool SpaceKey(QKeyEvent* event);

  bool InPlot(const QPoint& p) const;
  /// The rectangle from the drag's start to `p`, inside the plot.
  QRect Band(const QPoint& p) const;
  const std::vector<PartPlace>& Parts();
  void ZoomBand(const QRect& band);
  void PanTo(const QPoint& p);
  /// Zooms `factor` times about image point (x, y), on the axes asked for.
  void ZoomAbout(double x, double y, double factor, bool onX, bool onY, const std::string& step);
  /// The same from the axes `ax` and `ay` rather than those shown.
  void ZoomFrom(const TMyAxis& ax, const TMyAxis& ay, double x, double y, double factor, bool onX,
                bool onY, const std::string& step);
  /// Shifts the axes by fractions of their lengths.
  void PanBy(double x, double y);
  void Cancel();
  void FollowPointer(const QPoint& p);
  /// The readout and the marker again where the pointer is, after the picture changed.
  void ReadAgain();

  TFormKurvex& graph_;
  GraphView& view_;
  GraphSteps* steps_;
  Drag drag_ = Drag::kNone;
  QPoint start_;
  PartPlace part_;
  // The axes as a pan found them: each move shifts these, so rounding never adds up.
  TMyAxis panX_;
  TMyAxis panY_;
  std::string panStep_;
  bool panMovedX_ = false;
  bool panMovedY_ = false;
  bool spaceHeld_ = false;
  std::optional<std::vector<PartPlace>> parts_;
  QElapsedTimer wheelTimer_;
  std::string wheelStep_;
  // The axes when the wheel step began, and the notches' factor since.
  TMyAxis wheelFromX_;
  TMyAxis wheelFromY_;
  double wheelFactor_ = 1;
};

}  // namespace kurvex::shell
