#include "shell/graph_window/graph_mouse.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "graph/painter.h"
#include "graph/zoom.h"
#include "shell/graph_window/graph_steps.h"
#include "shell/graph_window/graph_window.h"
#include "shell/graph_window/image_actions.h"
#include "shell/kit/guard.h"
#include "shell/kit/page_parts.h"

namespace kurvex::shell {

namespace {

// A rectangle narrower than this is a click, or a zoom of the other axis only.
constexpr int kMinBand = 5;
// Wheel notches closer together than this are one zoom, and one undo step.
constexpr qint64 kWheelPauseMs = 500;
constexpr double kKeyZoom = 1.25;
constexpr double kKeyPan = 0.1;

QPoint Position(const QMouseEvent* event) {
  return event->position().toPoint();
}

QRect Rect(const PixelRect& r) {
  return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

}  // namespace

GraphMouse::GraphMouse(QWidget& owner, TFormKurvex& graph, const GraphSeams& seams)
    : QObject(&owner),
      graph_(graph),
      view_(*graph.ImageGraph()),
      steps_(new GraphSteps(owner, graph, seams)) {
  setObjectName("GraphMouse");
  view_.installEventFilter(this);
  qApp->installEventFilter(this);
  connect(&graph_, &TFormKurvex::Painted, this, [this] { parts_.reset(); });
  seams.Images.AddViewEntries(
      {steps_->FitAction(), steps_->ZoomOutAction(), steps_->ResetAction()});
}

bool GraphMouse::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space) return SpaceKey(key);
  }
  if (watched != &view_) return false;
  bool handled = false;
  Guard(graph_.Errors(), [&] {
    switch (type) {
      case QEvent::MouseButtonPress:
        handled = Press(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::MouseMove:
        Move(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::MouseButtonRelease:
        handled = Release(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::MouseButtonDblClick:
        handled = DoubleClick(static_cast<QMouseEvent*>(event));
        break;
      case QEvent::Wheel:
        handled = Wheel(static_cast<QWheelEvent*>(event));
        break;
      case QEvent::KeyPress:
        handled = Key(static_cast<QKeyEvent*>(event));
        break;
      case QEvent::FocusOut:
        Cancel();
        break;
      default:
        break;
    }
  });
  return handled;
}

bool GraphMouse::SpaceKey(QKeyEvent* event) {
  const bool over = view_.underMouse() || QApplication::focusWidget() == &view_;
  if (!over || InTextField(QApplication::focusWidget())) return false;
  if (!event->isAutoRepeat()) {
    spaceHeld_ = event->type() == QEvent::KeyPress;
    if (drag_ == Drag::kNone) view_.setCursor(spaceHeld_ ? Qt::OpenHandCursor : Qt::ArrowCursor);
  }
  return true;
}

bool GraphMouse::InPlot(const QPoint& p) const {
  const PixelRect& plot = graph_.Engine().State().Plot;
  return plot.Left <= p.x() && p.x() <= plot.Right && plot.Top <= p.y() && p.y() <= plot.Bottom;
}

QRect GraphMouse::Band(const QPoint& p) const {
  const PixelRect& plot = graph_.Engine().State().Plot;
  const QPoint end(std::clamp(p.x(), plot.Left, std::max(plot.Left, plot.Right)),
                   std::clamp(p.y(), plot.Top, std::max(plot.Top, plot.Bottom)));
  // Not QRect::normalized(), which moves a swapped corner by a pixel.
  return QRect(QPoint(std::min(start_.x(), end.x()), std::min(start_.y(), end.y())),
               QPoint(std::max(start_.x(), end.x()), std::max(start_.y(), end.y())));
}

const std::vector<PartPlace>& GraphMouse::Parts() {
  if (!parts_) {
    FontMeasurer measure(graph_.Engine().Fonts());
    parts_ =
        MovableParts(graph_.Model(), graph_.Engine().State(), graph_.Engine().Names(), measure);
  }
  return *parts_;
}

bool GraphMouse::Press(QMouseEvent* event) {
  const QPoint p = Position(event);
  const bool pan =
      event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_);
  if (!pan && event->button() != Qt::LeftButton) return false;
  view_.setFocus(Qt::MouseFocusReason);
  const std::optional<PartPlace> part = pan ? std::nullopt : PartAt(Parts(), p.x(), p.y());
  if (!pan && !part && !InPlot(p)) return false;
  if (!steps_->Allowed()) return true;
  start_ = p;
  if (pan) {
    drag_ = Drag::kPan;
    panX_ = graph_.Model().AxisX;
    panY_ = graph_.Model().AxisY;
    panStep_ = steps_->NewStep();
    panMovedX_ = panMovedY_ = false;
    view_.setCursor(Qt::ClosedHandCursor);
  } else if (part) {
    drag_ = Drag::kPart;
    part_ = *part;
    view_.setCursor(Qt::SizeAllCursor);
  } else {
    drag_ = Drag::kZoom;
  }
  return true;
}

void GraphMouse::Move(QMouseEvent* event) {
  const QPoint p = Position(event);
  switch (drag_) {
    case Drag::kZoom:
      view_.SetBand(Band(p));
      break;
    case Drag::kPan:
      PanTo(p);
      break;
    case Drag::kPart:
      view_.SetOutline(Rect(part_.Rect).translated(p - start_));
      break;
    case Drag::kNone:
      FollowPointer(p);
      break;
  }
}

void GraphMouse::FollowPointer(const QPoint& p) {
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (spaceHeld_) {
    shape = Qt::OpenHandCursor;
  } else if (!graph_.Model().OnlyCurves && PartAt(Parts(), p.x(), p.y())) {
    shape = Qt::SizeAllCursor;
  } else if (InPlot(p)) {
    shape = Qt::CrossCursor;
  }
  if (view_.cursor().shape() != shape) view_.setCursor(shape);
}

bool GraphMouse::Release(QMouseEvent* event) {
  const QPoint p = Position(event);
  const Drag drag = drag_;
  if (drag == Drag::kNone) return false;
  drag_ = Drag::kNone;
  view_.SetBand({});
  view_.SetOutline({});
  if (drag == Drag::kZoom) {
    ZoomBand(Band(p));
  } else if (drag == Drag::kPart && p != start_) {
    const QPoint to = Rect(part_.Rect).topLeft() + (p - start_);
    steps_->MovePart(part_, to.x(), to.y());
  } else if (drag == Drag::kPan) {
    PanTo(p);
  }
  FollowPointer(p);
  ReadAgain();
  return true;
}

void GraphMouse::ZoomBand(const QRect& band) {
  const bool onX = band.width() >= kMinBand, onY = band.height() >= kMinBand;
  if (!onX && !onY) return;
  const GraphModel& m = graph_.Model();
  const DrawingState& s = graph_.Engine().State();
  std::optional<AxisView> x, y;
  // From the pixel where the drag started to the one where it ended, as the readout reads them.
  if (auto a = FractionX(m, s, band.left()), b = FractionX(m, s, band.right()); onX && a && b) {
    x = ViewAxis(m.AxisX, *a, *b);
    if (x) x = RoundView(m.AxisX, *x);
  }
  if (auto a = FractionY(m, s, band.bottom()), b = FractionY(m, s, band.top()); onY && a && b) {
    y = ViewAxis(m.AxisY, *a, *b);
    if (y) y = RoundView(m.AxisY, *y);
  }
  if (!x && !y) return;
  steps_->RememberView();
  steps_->ShowViews(steps_->NewStep(), x, y);
}

void GraphMouse::PanTo(const QPoint& p) {
  const QPoint moved = p - start_;
  if (moved.isNull() && !panMovedX_ && !panMovedY_) return;
  if (!panMovedX_ && !panMovedY_) steps_->RememberView();
  panMovedX_ = panMovedX_ || moved.x() != 0;
  panMovedY_ = panMovedY_ || moved.y() != 0;
  // An axis the pan has moved follows the pointer, also back to where it started.
  const auto shifted = [](bool movedOnce, const TMyAxis& axis,
                          int pixels) -> std::optional<AxisView> {
    if (!movedOnce || axis.Length == 0) return std::nullopt;
    if (pixels == 0) return ViewOf(axis);
    return PanAxisBySteps(axis, static_cast<double>(pixels) / axis.Length);
  };
  // Dragged right, the values move right: the From end shows what lay left of it; dragged
  // down, the bottom shows what lay above it.
  steps_->ShowViews(panStep_, shifted(panMovedX_, panX_, -moved.x()),
                    shifted(panMovedY_, panY_, moved.y()));
}

void GraphMouse::ZoomAbout(double x, double y, double factor, bool onX, bool onY,
                           const std::string& step) {
  const GraphModel& m = graph_.Model();
  ZoomFrom(m.AxisX, m.AxisY, x, y, factor, onX, onY, step);
}

void GraphMouse::ZoomFrom(const TMyAxis& ax, const TMyAxis& ay, double x, double y, double factor,
                          bool onX, bool onY, const std::string& step) {
  const GraphModel& m = graph_.Model();
  const DrawingState& s = graph_.Engine().State();
  std::optional<AxisView> vx, vy;
  if (auto f = FractionX(m, s, x); onX && f) vx = ZoomAxis(ax, *f, factor);
  if (auto f = FractionY(m, s, y); onY && f) vy = ZoomAxis(ay, *f, factor);
  // Rounded against the axes zoomed from; a view no round step fits keeps their tick count.
  for (auto [view, from] : {std::pair{&vx, &ax}, std::pair{&vy, &ay}}) {
    if (!*view) continue;
    **view = RoundView(*from, **view);
    if (!(*view)->TickCount) (*view)->TickCount = from->TickCount;
  }
  steps_->ShowViews(step, vx, vy);
}

void GraphMouse::PanBy(double x, double y) {
  const GraphModel& m = graph_.Model();
  std::optional<AxisView> vx, vy;
  // A key moves by at least one tick step.
  const auto steps = [](const TMyAxis& axis, double shift) {
    const double least = axis.TickCount > 0 ? 1.0 / axis.TickCount : 0;
    return PanAxisBySteps(axis, shift < 0 ? std::min(shift, -least) : std::max(shift, least));
  };
  if (x != 0) vx = steps(m.AxisX, x);
  if (y != 0) vy = steps(m.AxisY, y);
  if (!vx && !vy) return;
  steps_->RememberView();
  steps_->ShowViews(steps_->NewStep(), vx, vy);
}

bool GraphMouse::DoubleClick(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !InPlot(Position(event))) return false;
  drag_ = Drag::kNone;
  if (steps_->Allowed()) steps_->FitToData();
  ReadAgain();
  return true;
}

bool GraphMouse::Wheel(QWheelEvent* event) {
  const QPoint p = event->position().toPoint();
  if (!InPlot(p) || drag_ != Drag::kNone) return false;
  if (!steps_->Allowed()) return false;
  const QPoint angle = event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  if (delta == 0) return true;
  const Qt::KeyboardModifiers mods = event->modifiers();
  const bool onlyX = mods & Qt::ShiftModifier, onlyY = mods & Qt::ControlModifier;
  if (!wheelTimer_.isValid() || wheelTimer_.elapsed() > kWheelPauseMs) {
    wheelStep_ = steps_->NewStep();
    steps_->RememberView();
    wheelFromX_ = graph_.Model().AxisX;
    wheelFromY_ = graph_.Model().AxisY;
    wheelFactor_ = 1;
  }
  wheelTimer_.restart();
  // The notches of one step zoom from where the step began: their rounding does not add up,
  // and a notch back returns exactly.
  wheelFactor_ *= WheelZoomFactor(delta);
  ZoomFrom(wheelFromX_, wheelFromY_, p.x(), p.y(), wheelFactor_, !onlyY || onlyX, !onlyX || onlyY,
           wheelStep_);
  ReadAgain();
  return true;
}

bool GraphMouse::Key(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && drag_ != Drag::kNone) {
    Cancel();
    return true;
  }
  const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (mods != Qt::NoModifier || drag_ != Drag::kNone) return false;
  const PixelRect& plot = graph_.Engine().State().Plot;
  const double cx = (plot.Left + plot.Right) / 2.0, cy = (plot.Top + plot.Bottom) / 2.0;
  const auto run = [&](const std::function<void()>& gesture) {
    if (steps_->Allowed()) gesture();
    ReadAgain();
    return true;
  };
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return run([&] {
        steps_->RememberView();
        ZoomAbout(cx, cy, kKeyZoom, true, true, steps_->NewStep());
      });
    case Qt::Key_Minus:
      return run([&] {
        steps_->RememberView();
        ZoomAbout(cx, cy, 1 / kKeyZoom, true, true, steps_->NewStep());
      });
    case Qt::Key_Left:
      return run([&] { PanBy(-kKeyPan, 0); });
    case Qt::Key_Right:
      return run([&] { PanBy(kKeyPan, 0); });
    case Qt::Key_Up:
      return run([&] { PanBy(0, kKeyPan); });
    case Qt::Key_Down:
      return run([&] { PanBy(0, -kKeyPan); });
    case Qt::Key_Home:
      return run([&] { steps_->FitToData(); });
    default:
      return false;
  }
}

void GraphMouse::Cancel() {
  if (drag_ == Drag::kNone) return;
  const Drag drag = drag_;
  drag_ = Drag::kNone;
  view_.SetBand({});
  view_.SetOutline({});
  view_.setCursor(Qt::ArrowCursor);
  // A pan has shown its ranges all along: they go back to where it started, in its own step.
  if (drag == Drag::kPan && (panMovedX_ || panMovedY_)) {
    steps_->ShowViews(panStep_, panMovedX_ ? std::optional(ViewOf(panX_)) : std::nullopt,
                      panMovedY_ ? std::optional(ViewOf(panY_)) : std::nullopt);
    steps_->ForgetView();
  }
}

void GraphMouse::ReadAgain() {
  const QPoint p = view_.mapFromGlobal(QCursor::pos());
  if (view_.rect().contains(p)) graph_.ImageGraphMouseMove(p.x(), p.y());
}

}  // namespace kurvex::shell
