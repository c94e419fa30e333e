#include "shell/kit/window_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kurvex::shell {

namespace {

// Enough of the title bar to grab the window with the mouse.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 30;
constexpr int kSplitterWidths = 2 * 2;

bool TopEdgeShows(const QRect& window, const QRect& screen) {
  const QRect strip(window.left(), window.top(), window.width(), kGrabHeight);
  const QRect seen = strip & screen;
  return window.top() >= screen.top() && seen.width() >= std::min(kGrabWidth, window.width()) &&
         seen.height() >= std::min(kGrabHeight, window.height());
}

}  // namespace

QRect FitOnScreens(const QRect& window, const std::vector<QRect>& screens, const QRect& current,
                   const QSize& minimum) {
  const auto sizedFor = [&](const QRect& screen) {
    const int width = std::clamp(window.width(), std::min(minimum.width(), screen.width()),
                                 std::max(screen.width(), 1));
    const int height = std::clamp(window.height(), std::min(minimum.height(), screen.height()),
                                  std::max(screen.height(), 1));
    return QRect(window.topLeft(), QSize(width, height));
  };
  for (const QRect& screen : screens) {
    const QRect fitted = sizedFor(screen);
    if (TopEdgeShows(fitted, screen)) return fitted;
  }
  QRect fitted = sizedFor(current);
  fitted.moveLeft(std::clamp(window.left(), current.left(), current.right() + 1 - fitted.width()));
  fitted.moveTop(std::clamp(window.top(), current.top(), current.bottom() + 1 - fitted.height()));
  return fitted;
}

namespace {

constexpr const char* kName = "FramePlacer";

// Watches the window until its frame is known, then moves it once and goes.
class FramePlacer : public QObject {
 public:
  FramePlacer(QWidget& window, const QPoint& corner)
      : QObject(&window), window_(window), corner_(corner) {
    setObjectName(kName);
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Show && type != QEvent::ActivationChange) {
      return false;
    }
    if (!window_.isVisible() || window_.frameGeometry() == window_.geometry()) return false;
    if (window_.frameGeometry().topLeft() != corner_) window_.move(corner_);
    window_.removeEventFilter(this);
    deleteLater();
    return false;
  }

 private:
  QWidget& window_;
  QPoint corner_;
};

}  // namespace

void PlaceFrameWhenFramed(QWidget& window, const QPoint& corner) {
  // The corner asked for last wins.
  if (QObject* earlier = window.findChild<QObject*>(kName, Qt::FindDirectChildrenOnly)) {
    window.removeEventFilter(earlier);
    earlier->setObjectName(QString());
    earlier->deleteLater();
  }
  new FramePlacer(window, corner);
}

QRect OnScreen(const QRect& window, const QSize& minimum) {
  std::vector<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens())
    areas.push_back(screen->availableGeometry());
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return window;
  return FitOnScreens(window, areas, primary->availableGeometry(), minimum);
}

PanelWidths FitPanelWidths(int left, int right, int windowWidth, int graphWidth) {
  const int room = windowWidth - std::max(graphWidth, kMinGraphWidth) - kSplitterWidths;
  PanelWidths widths;
  widths.Left =
      std::clamp(left, kMinTreePanelWidth, std::max(kMinTreePanelWidth, room - kMinSettingsWidth));
  widths.Right =
      std::clamp(right, kMinSettingsWidth, std::max(kMinSettingsWidth, room - widths.Left));
  return widths;
}

}  // namespace kurvex::shell
