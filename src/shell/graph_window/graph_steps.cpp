#include "shell/graph_window/graph_steps.h"

#include <QAction>
#include <algorithm>

#include "common/number_text.h"
#include "graph/painter.h"
#include "shell/graph_window/graph_window.h"
#include "shell/kit/captions.h"
#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/painting_off.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/legend_page.h"
#include "shell/pages/page_hub.h"
#include "shell/pages/page_set.h"
#include "shell/pages/text_page.h"
#include "shell/pages/title_page.h"

namespace kurvex::shell {

namespace {

// A long session of zooming must not grow without bound.
constexpr std::size_t kMaxRemembered = 100;
// The range edits take two decimals more than the labels show: a zoom lands within a fraction of
// a pixel of where the mouse put it, also when the labels round to whole steps.
constexpr int kExtraDigits = 2;

int Clamped(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

GraphSteps::GraphSteps(QWidget& owner, TFormKurvex& graph, const GraphSeams& seams)
    : QObject(&owner), graph_(graph), seams_(seams) {
  setObjectName("GraphSteps");
  const auto action = [&](const char* name, const char* text, void (GraphSteps::*handler)()) {
    auto* a = new QAction(text, &owner);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, handler] {
      Guard(graph_.Errors(), [&] {
        if (Allowed()) (this->*handler)();
      });
    });
    return a;
  };
  fit_ = action("ActionGraphFitToData", "&Fit to data", &GraphSteps::FitToData);
  zoomOut_ = action("ActionGraphZoomOut", "&Zoom out", &GraphSteps::ZoomOut);
  reset_ = action("ActionGraphResetView", "&Reset view", &GraphSteps::ResetView);
}

bool GraphSteps::Allowed() {
  if (!graph_.Model().OnlyCurves) return true;
  seams_.Messages.ShowMessage(Q(seams_.Captions.GraphMouseOff));
  return false;
}

std::string GraphSteps::NewStep() {
  return "#graph" + std::to_string(++steps_);
}

void GraphSteps::Change(const std::string& step, const std::function<void()>& change) {
  {
    const PaintingOff off(graph_.Engine().PaintEnabled);
    seams_.Hub.Run(step, change);
  }
  graph_.RepaintGraph();
}

GraphSteps::Ranges GraphSteps::Current() const {
  return RangesOf(graph_.Model());
}

GraphSteps::Ranges GraphSteps::RangesOf(const GraphModel& m) {
  return {m.AxisX.Minimum,
          m.AxisX.Maximum,
          m.AxisY.Minimum,
          m.AxisY.Maximum,
          m.AxisX.TickLabels.DecDigits,
          m.AxisY.TickLabels.DecDigits,
          m.AxisX.TickCount,
          m.AxisY.TickCount};
}

void GraphSteps::ShowAxis(AxisValuesPage& page, const AxisView& view, std::optional<int> ticks) {
  page.ShowRange(view.From, view.To, view.DecDigits, view.DecDigits + kExtraDigits, ticks);
}

void GraphSteps::ShowViews(const std::string& step, const std::optional<AxisView>& x,
                           const std::optional<AxisView>& y) {
  if (!x && !y) return;
  Change(step, [&] {
    if (x) ShowAxis(*seams_.Pages.AxisXValues, *x, x->TickCount);
    if (y) ShowAxis(*seams_.Pages.AxisYValues, *y, y->TickCount);
  });
}

void GraphSteps::RememberView() {
  Remember(Current());
}

void GraphSteps::Remember(const Ranges& ranges) {
  before_.push_back(ranges);
  if (before_.size() > kMaxRemembered) before_.erase(before_.begin());
}

void GraphSteps::ForgetView() {
  if (!before_.empty()) before_.pop_back();
}

void GraphSteps::Restore(const Ranges& r) {
  Change(NewStep(), [&] {
    ShowAxis(*seams_.Pages.AxisXValues, {r.XFrom, r.XTo, r.XDigits}, r.XTicks);
    ShowAxis(*seams_.Pages.AxisYValues, {r.YFrom, r.YTo, r.YDigits}, r.YTicks);
  });
}

void GraphSteps::FitToData() {
  const Ranges before = Current();
  Change(NewStep(), [this] {
    seams_.Pages.AxisXValues->FitToData();
    seams_.Pages.AxisYValues->FitToData();
  });
  if (Current() != before) Remember(before);
}

void GraphSteps::ZoomOut() {
  if (before_.empty()) return;
  const Ranges ranges = before_.back();
  before_.pop_back();
  Restore(ranges);
}

void GraphSteps::ResetView() {
  const Ranges ranges = RangesOf(graph_.LoadedStyle());
  if (ranges == Current()) return;
  RememberView();
  Restore(ranges);
}

void GraphSteps::MovePart(const PartPlace& part, int left, int top) {
  FontMeasurer measure(graph_.Engine().Fonts());
  const PartValues values =
      PartValuesAt(graph_.Model(), graph_.Engine().State(), part, left, top, measure);
  const int x = Clamped(values.Left);
  const int y = Clamped(values.Top);
  const PageSet& pages = seams_.Pages;
  Change(NewStep(), [&] {
    switch (part.Part) {
      case GraphPart::kTitle:
        pages.GraphTitle->MoveTo(x, y);
        break;
      case GraphPart::kAxisXTitle:
        pages.AxisXTitle->MoveTo(x, y);
        break;
      case GraphPart::kAxisYTitle:
        pages.AxisYTitle->MoveTo(x, y);
        break;
      case GraphPart::kLegend:
        pages.Legend->MoveTo(x, y);
        break;
      case GraphPart::kTextBlock:
        pages.Text->MoveTo(x, y);
        break;
    }
  });
}

}  // namespace kurvex::shell
