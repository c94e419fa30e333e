#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graph/graph_parts.h"
#include "graph/zoom.h"

class QAction;

namespace kurvex::shell {

class AxisValuesPage;
class ImageActions;
class MessageLine;
class PageHub;
class TFormKurvex;
struct ItemCaptions;
struct PageSet;

/// What the gestures change the style through, handed in by the main window.
struct GraphSeams {
  PageHub& Hub;
  const PageSet& Pages;
  MessageLine& Messages;
  /// The captions of the language chosen; they follow a language change.
  const ItemCaptions& Captions;
  ImageActions& Images;
};

/// What the mouse and the keys on the graph change, through the settings pages' typed calls:
/// the values are stored as typed ones would be, the pages show them and undo has them. Each
/// change is one undo step and ends with a full redraw, also with auto repaint off.
class GraphSteps : public QObject {
  Q_OBJECT

 public:
  /// The actions are `owner`'s, whose keys they answer.
  GraphSteps(QWidget& owner, TFormKurvex& graph, const GraphSeams& seams);

  /// Whether the graph answers the mouse now; when not ("Repaint only curves" is on), the
  /// message line says why.
  bool Allowed();

  /// A new name for an undo step: changes under one name make one step.
  std::string NewStep();

  /// The axes show `x` and `y` (either may be left out), under undo step `step`.
  void ShowViews(const std::string& step, const std::optional<AxisView>& x,
                 const std::optional<AxisView>& y);
  /// Remembers the ranges now shown, for Zoom out; a view change calls it before it changes.
  void RememberView();
  /// Forgets the ranges remembered last (a change that did not happen).
  void ForgetView();

  /// Both axes fitted to the data, as the axis pages' Fit buttons do.
  void FitToData();
  /// The ranges shown before the last zoom or pan of this run.
  void ZoomOut();
  /// The ranges of the style as last loaded.
  void ResetView();
  /// Moves a part so its top-left corner stands at (left, top), its Auto boxes cleared.
  void MovePart(const PartPlace& part, int left, int top);

  QAction* FitAction() const { return fit_; }
  QAction* ZoomOutAction() const { return zoomOut_; }
  QAction* ResetAction() const { return reset_; }

 private:
  // From, To, decimals and tick count of both axes.
  struct Ranges {
    long double XFrom, XTo, YFrom, YTo;
    int XDigits, YDigits, XTicks, YTicks;
    bool operator==(const Ranges&) const = default;
  };
  static Ranges RangesOf(const GraphModel& model);
  Ranges Current() const;
  // Kept for Zoom out, the oldest forgotten past kMaxRemembered.
  void Remember(const Ranges& ranges);
  void Restore(const Ranges& ranges);
  void ShowAxis(AxisValuesPage& page, const AxisView& view, std::optional<int> ticks);
  /// Runs `change` as undo step `step` with drawing held back, then draws in full once.
  void Change(const std::string& step, const std::function<void()>& change);
  TFormKurvex& graph_;
  GraphSeams seams_;
  QAction* fit_;
  QAction* zoomOut_;
  QAction* reset_;
  std::vector<Ranges> before_;
  int steps_ = 0;
};

}  // namespace kurvex::shell
