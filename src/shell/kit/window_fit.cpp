#include "shell/kit/window_fit.h"

#include <QGuiApplication>
#include <QScreen>
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
