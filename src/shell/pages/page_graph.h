#pragma once

#include "graph/axis_fit.h"
#include "graph/graph_engine.h"
#include "graph/model.h"

namespace kurvex::shell {

/// What the settings pages need of the graph they edit: its style, its drawing and the dialogs
/// that pick its colours and fonts. The graph window provides it; the pages never see the
/// window itself, so the window and its gestures may use the pages.
class PageGraph {
 public:
  virtual ~PageGraph() = default;

  virtual GraphEngine& Engine() = 0;
  virtual GraphModel& Model() = 0;
  virtual bool PaintEnabled() const = 0;
  virtual void SetPaintEnabled(bool enabled) = 0;
  virtual void RepaintIfAuto() = 0;
  /// Puts the image at ImageLeft, ImageTop inside its scroll box.
  virtual void PlaceImage() = 0;
  virtual TColor BackgroundColor() const = 0;
  virtual void SetBackgroundColor(TColor color) = 0;
  virtual bool StatusBarVisible() const = 0;
  virtual void SetStatusBarVisible(bool visible) = 0;
  /// The values drawn: the loaded file's, or every file's of several drawn together.
  virtual DataExtent ShownDataExtent() const = 0;
  /// Lets the user choose the area colour around the image; returns it.
  virtual TColor PickBackgroundColor() = 0;
  /// Edits the font in place; a cancelled dialog leaves it unchanged.
  virtual void PickFont(TMyFont& font) = 0;
  /// The colour dialog into `color`, then a redraw (also after a cancel).
  virtual TColor ChangeColorOption(TColor& color) = 0;
};

}  // namespace kurvex::shell
