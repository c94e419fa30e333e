#pragma once

#include <QRect>
#include <QSize>

class QWidget;
#include <vector>

namespace kurvex::shell {

// The narrowest the three columns of the main window get.
inline constexpr int kMinTreeWidth = 60;
// The tree panel's margin left of the tree: the panel is this much wider than the tree.
inline constexpr int kTreePanelMargin = 4;
inline constexpr int kMinTreePanelWidth = kMinTreeWidth + kTreePanelMargin;
inline constexpr int kMinGraphWidth = 100;
inline constexpr int kMinSettingsWidth = 100;

/// Bounds of a stored window on the given screen areas: kept while a strip of its top edge shows
/// on one of them, otherwise moved inside `current`; never larger than the screen it is on nor
/// smaller than `minimum`.
QRect FitOnScreens(const QRect& window, const std::vector<QRect>& screens, const QRect& current,
                   const QSize& minimum);

/// FitOnScreens with the machine's screens (their available areas), the primary one current.
QRect OnScreen(const QRect& window, const QSize& minimum);

/// Puts the frame's corner of `window` at `corner` once a window manager has framed it: before
/// that the platform places the client area there, and a window saved by its frame's corner
/// would creep up by the title bar's height at every start. Without a frame nothing moves.
void PlaceFrameWhenFramed(QWidget& window, const QPoint& corner);

/// Widths of the tree and settings panels.
struct PanelWidths {
  int Left = 0;
  int Right = 0;
};

/// The stored panel widths made to fit a window of `windowWidth`, so that the tree, the graph
/// (at least `graphWidth`) and the settings each keep a usable width.
PanelWidths FitPanelWidths(int left, int right, int windowWidth, int graphWidth = kMinGraphWidth);

}  // namespace kurvex::shell
