#include "shell/graph_steps.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "common/number_text.h"
#include "graph/painter.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/languages.h"
#include "shell/message_line.h"
#include "shell/pages/page_hub.h"
#include "shell/qt_convert.h"
#include "shell/up_down.h"

namespace kurvex::shell {

namespace {

// A long session of zooming must not grow without bound.
constexpr std::size_t kMaxRemembered = 100;
// The range edits take two decimals more than the labels show: a zoom lands within a fraction of
// a pixel of where the mouse put it, also when the labels round to whole steps.
constexpr int kExtraDigits = 2;

// The controls of one part's placement, by the pages' object names.
struct PartControls {
  const char* LeftAuto;
  const char* LeftSpinner;
  const char* TopAuto;
  const char* TopSpinner;
};

// In the order of GraphPart.
constexpr PartControls kPartControls[] = {
    {"CheckBoxGraphTitleLeftAuto", "UpDownTitleLeft", "CheckBoxGraphTitleTopAuto",
     "UpDownTitleTop"},
    {"CheckBoxAxisXTitleLeftAuto", "UpDownAxisXTitleLeft", "CheckBoxAxisXTitleTopAuto",
     "UpDownAxisXTitleTop"},
    {"CheckBoxAxisYTitleLeftAuto", "UpDownAxisYTitleLeft", "CheckBoxAxisYTitleBottomAuto",
     "UpDownAxisYTitleBottom"},
    {"CheckBoxLegendLeftAuto", "UpDownLegendLeft", "CheckBoxLegendTopAuto", "UpDownLegendTop"},
    {"CheckBoxTextLeftAuto", "UpDownTextLeft", "CheckBoxTextTopAuto", "UpDownTextTop"},
};

int Clamped(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

GraphSteps::GraphSteps(TFormMain& window, TFormKurvex& graph)
    : QObject(&window), window_(window), graph_(graph) {
  setObjectName("GraphSteps");
  const auto action = [&](const char* name, const char* text, void (GraphSteps::*handler)()) {
    auto* a = new QAction(text, &window);
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

template <class T>
T* GraphSteps::Control(const std::string& name) const {
  return window_.findChild<T*>(Q(name));
}

bool GraphSteps::Allowed() {
  if (!graph_.Model().OnlyCurves) return true;
  window_.Messages()->ShowMessage(Q(window_.Language().Captions().GraphMouseOff));
  return false;
}

std::string GraphSteps::NewStep() {
  return "#graph" + std::to_string(++steps_);
}

void GraphSteps::Change(const std::string& step, const std::function<void()>& change) {
  const bool paint = graph_.PaintEnabled();
  graph_.SetPaintEnabled(false);
  window_.Hub().Run(step, change);
  graph_.SetPaintEnabled(paint);
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

// The decimals first, as Fit to data writes them: their rule rewrites the range edits.
void GraphSteps::WriteAxis(const char* axis, long double from, long double to, int digits,
                           std::optional<int> ticks) {
  const std::string a = std::string("Axis") + axis;
  const auto spin = [&](const std::string& name, int value) {
    Control<UpDown>("UpDown" + a + name)->SetPosition(value);
    Control<QLineEdit>("Edit" + a + name)->setText(QString::number(value));
  };
  spin("DecDigits", digits);
  Control<QLineEdit>("Edit" + a + "Min")->setText(Q(FormatFixed(from, digits + kExtraDigits)));
  Control<QLineEdit>("Edit" + a + "Max")->setText(Q(FormatFixed(to, digits + kExtraDigits)));
  if (ticks) spin("TickCount", *ticks);
}

void GraphSteps::ShowViews(const std::string& step, const std::optional<AxisView>& x,
                           const std::optional<AxisView>& y) {
  if (!x && !y) return;
  Change(step, [&] {
    if (x) WriteAxis("X", x->From, x->To, x->DecDigits, std::nullopt);
    if (y) WriteAxis("Y", y->From, y->To, y->DecDigits, std::nullopt);
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
    WriteAxis("X", r.XFrom, r.XTo, r.XDigits, r.XTicks);
    WriteAxis("Y", r.YFrom, r.YTo, r.YDigits, r.YTicks);
  });
}

void GraphSteps::FitToData() {
  const Ranges before = Current();
  Change(NewStep(), [this] {
    for (const char* name : {"ButtonAxisXFit", "ButtonAxisYFit"}) {
      if (auto* button = Control<QAbstractButton>(name)) button->click();
    }
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
  const PartControls& c = kPartControls[static_cast<int>(part.Part)];
  // The Auto boxes first, which let the positions be edited; each spinner keeps to its range.
  Change(NewStep(), [&] {
    Control<QCheckBox>(c.LeftAuto)->setChecked(false);
    Control<QCheckBox>(c.TopAuto)->setChecked(false);
    Control<UpDown>(c.LeftSpinner)->SetPosition(Clamped(values.Left));
    Control<UpDown>(c.TopSpinner)->SetPosition(Clamped(values.Top));
  });
}

}  // namespace kurvex::shell
