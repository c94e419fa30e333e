// The graph answers the mouse and the keys: zoom, pan, fit, moved parts and the readout, each
// stored through the pages as one undo step.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <cmath>
#include <functional>

#include "common/number_text.h"
#include "graph/axis_fit.h"
#include "graph/graph_parts.h"
#include "graph/painter.h"
#include "shell/kit/message_line.h"
#include "shell/pages/page_hub.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

// The cases' gestures are written for a test's fixture: what they use is public.
class GraphMouseTest : public ShellTest {
 public:
  using ShellTest::Find;
  using ShellTest::Model;
  QWidget* View() const { return graph_->ImageGraph(); }

  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, p, View()->mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(View(), &event);
  }
  void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, from, button, button);
    Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    Mouse(QEvent::MouseMove, to, Qt::NoButton, button);
    Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
  }
  void Wheel(QPoint p, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(p, View()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(View(), &event);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    View()->setFocus();
    QTest::keyClick(View(), static_cast<Qt::Key>(key), modifiers);
  }
  void Type(const char* edit, const QString& text) { Find<QLineEdit>(edit)->setText(text); }

  // From, To of both axes.
  std::array<double, 4> Ranges() {
    return {static_cast<double>(Model().AxisX.Minimum), static_cast<double>(Model().AxisX.Maximum),
            static_cast<double>(Model().AxisY.Minimum), static_cast<double>(Model().AxisY.Maximum)};
  }
};

// Default graph: x 300..1000 over columns 70..570, y -1..3 over rows 370..90.
struct GestureCase {
  const char* what;
  std::function<void(GraphMouseTest&)> setup;
  std::function<void(GraphMouseTest&)> gesture;
  std::array<double, 4> ranges;  // x From, To, y From, To
  int xDigits, yDigits;
  int xTicks;  // a zoom's ends on round ticks take the count their step gives
};

TEST_F(GraphMouseTest, GesturesSetTheRangesThroughThePagesAsOneUndoStepEach) {
  Start();
  const auto none = [](GraphMouseTest&) {};
  const auto fitted = [&] {
    GraphModel m = Model();
    FitModelAxes(MeasureData(graph_->Engine().Columns()), true, true, m);
    return std::array<double, 4>{double(m.AxisX.Minimum), double(m.AxisX.Maximum),
                                 double(m.AxisY.Minimum), double(m.AxisY.Maximum)};
  }();
  const GestureCase cases[] = {
      {"a dragged rectangle",
       none,
       [](auto& t) {
         t.Drag({120, 300}, {320, 160});
       },
       {350, 650, 0, 2},
       0,
       1,
       6},
      {"a rectangle three rows high zooms x only",
       none,
       [](auto& t) {
         t.Drag({120, 200}, {320, 203});
       },
       {350, 650, -1, 3},
       0,
       2,
       6},
      {"a rectangle beyond the plot ends at its edge",
       none,
       [](auto& t) {
         t.Drag({320, 230}, {590, 20});
       },
       {650, 1000, 1, 3},
       0,
       1,
       7},
      {"a wheel notch about the pointer",
       none,
       [](auto& t) {
         t.Wheel({320, 230}, 120);
       },
       {350, 950, -0.6, 2.6},
       0,
       1,
       12},
      {"two quick notches, one step",
       none,
       [](auto& t) {
         t.Wheel({320, 230}, 120);
         t.Wheel({320, 230}, -120);
       },
       {300, 1000, -1, 3},
       0,
       0,
       7},
      {"a touchpad's four small steps make a notch",
       none,
       [](auto& t) {
         for (int i = 0; i < 4; ++i) t.Wheel({320, 230}, 30);
       },
       {350, 950, -0.6, 2.6},
       0,
       1,
       12},
      {"Shift and the wheel: x only",
       none,
       [](auto& t) {
         t.Wheel({320, 100}, 120, Qt::ShiftModifier);
       },
       {350, 950, -1, 3},
       0,
       2,
       12},
      {"Ctrl and the wheel: y only",
       none,
       [](auto& t) {
         t.Wheel({320, 370}, 120, Qt::ControlModifier);
       },
       {300, 1000, -1, 2.5},
       0,
       1,
       7},
      {"a middle-button pan",
       none,
       [](auto& t) {
         t.Drag({320, 230}, {370, 195}, Qt::MiddleButton);
       },
       {200, 900, -2, 2},
       0,
       2,
       7},
      {"a pan with Space held",
       none,
       [](auto& t) {
         t.View()->setFocus();
         QTest::keyPress(t.View(), Qt::Key_Space);
         t.Drag({320, 230}, {370, 230});
         QTest::keyRelease(t.View(), Qt::Key_Space);
       },
       {200, 900, -1, 3},
       0,
       2,
       7},
      {"+ zooms about the centre",
       none,
       [](auto& t) { t.Key(Qt::Key_Plus); },
       {350, 950, -0.6, 2.6},
       0,
       1,
       12},
      {"the right arrow pans a tenth",
       none,
       [](auto& t) { t.Key(Qt::Key_Right); },
       {400, 1100, -1, 3},
       0,
       2,
       7},
      {"a double click fits to the data", none,
       [](auto& t) {
         t.Mouse(QEvent::MouseButtonDblClick, {320, 230}, Qt::LeftButton, Qt::LeftButton);
       },
       fitted, -1, -1, 7},
      {"Home fits to the data", none, [](auto& t) { t.Key(Qt::Key_Home); }, fitted, -1, -1, 7},
      {"a rectangle on a reversed x axis",
       [](auto& t) { t.template Find<QAbstractButton>("ButtonAxisXReverse")->click(); },
       [](auto& t) {
         t.Drag({120, 300}, {320, 160});
       },
       {950, 650, 0, 2},
       0,
       1,
       6},
      {"a rectangle on a logarithmic y axis",
       [](auto& t) {
         t.Type("EditAxisYMin", "1");
         t.Type("EditAxisYMax", "1000");
         t.template Find<QCheckBox>("CheckBoxAxisYLogarithmic")->setChecked(true);
       },
       [](auto& t) {
         t.Drag({120, 300}, {320, 160});
       },
       {350, 650, std::pow(10, 0.75), std::pow(10, 2.25)},
       0,
       1,
       6},
      {"auto repaint off still draws",
       [](auto& t) { t.Model().AutoRepaint = false; },
       [](auto& t) {
         t.Wheel({320, 230}, 120);
       },
       {350, 950, -0.6, 2.6},
       0,
       1,
       12},
  };
  for (const GestureCase& c : cases) {
    SCOPED_TRACE(c.what);
    main_.reset();
    graph_.reset();
    Start();
    c.setup(*this);
    graph_->RepaintGraph();
    const GraphModel before = Model();
    const std::array<double, 4> old = Ranges();
    QSignalSpy painted(graph_.get(), &TFormKurvex::Painted);
    c.gesture(*this);
    const std::array<double, 4> now = Ranges();
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(now[i], c.ranges[i], 1e-3 * std::fabs(old[i | 1] - old[i & 2])) << i;
    }
    if (c.xDigits >= 0) {
      EXPECT_EQ(Model().AxisX.TickLabels.DecDigits, c.xDigits);
    }
    if (c.yDigits >= 0) {
      EXPECT_EQ(Model().AxisY.TickLabels.DecDigits, c.yDigits);
    }
    EXPECT_EQ(Model().AxisX.TickCount, c.xTicks);
    EXPECT_GT(painted.count(), 0);
    // The pages show what is stored, and one undo brings all of it back.
    const auto shown = [&](const char* edit) {
      return double(Real48::From(Find<QLineEdit>(edit)->text().toDouble()));
    };
    EXPECT_EQ(shown("EditAxisXMin"), now[0]);
    EXPECT_EQ(shown("EditAxisYMax"), now[3]);
    EXPECT_TRUE(main_->Hub().Undo());
    EXPECT_EQ(Model(), before);
  }
}

struct PartCase {
  const char* what;
  GraphPart part;
  QPoint by;
  bool* (*leftAuto)(GraphModel&);
};

std::optional<PartPlace> PlaceOf(TFormKurvex& graph, GraphPart part) {
  FontMeasurer measure(graph.Engine().Fonts());
  for (const PartPlace& p :
       MovableParts(graph.Model(), graph.Engine().State(), graph.Engine().Names(), measure)) {
    if (p.Part == part) return p;
  }
  return std::nullopt;
}

QRect Shown(const PixelRect& r) {
  return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

// Each part lands where it was dropped, whatever its keys mean, and the pages hold the values.
TEST_F(GraphMouseTest, DraggedPartsStayWhereTheyAreDropped) {
  const PartCase cases[] = {
      {"graph title", GraphPart::kTitle, {30, 20}, [](GraphModel& m) { return &m.Title.LeftAuto; }},
      {"x axis title",
       GraphPart::kAxisXTitle,
       {30, 10},
       [](GraphModel& m) { return &m.AxisX.Title.LeftAuto; }},
      {"y axis title",
       GraphPart::kAxisYTitle,
       {-6, -20},
       [](GraphModel& m) { return &m.AxisY.Title.LeftAuto; }},
      {"legend", GraphPart::kLegend, {-30, 20}, [](GraphModel& m) { return &m.Legend.LeftAuto; }},
      {"text block",
       GraphPart::kTextBlock,
       {30, 20},
       [](GraphModel& m) { return &m.Text.LeftAuto; }},
  };
  Start();
  for (const PartCase& c : cases) {
    SCOPED_TRACE(c.what);
    const GraphModel before = Model();
    const std::optional<PartPlace> old = PlaceOf(*graph_, c.part);
    ASSERT_TRUE(old);
    const QPoint grip = Shown(old->Rect).center();
    Mouse(QEvent::MouseMove, grip, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(View()->cursor().shape(), Qt::SizeAllCursor);
    Drag(grip, grip + c.by);
    const std::optional<PartPlace> now = PlaceOf(*graph_, c.part);
    ASSERT_TRUE(now);
    EXPECT_EQ(Shown(now->Rect), Shown(old->Rect).translated(c.by));
    EXPECT_FALSE(*c.leftAuto(Model()));
    EXPECT_TRUE(main_->Hub().Undo());
    EXPECT_EQ(Model(), before);
  }
  // Esc ends a drag without a change; a drop beyond the page's range keeps to it.
  const QPoint title = Shown(PlaceOf(*graph_, GraphPart::kTitle)->Rect).center();
  const GraphModel before = Model();
  Mouse(QEvent::MouseButtonPress, title, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, title + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
  QTest::keyClick(View(), Qt::Key_Escape);
  Mouse(QEvent::MouseButtonRelease, title + QPoint(40, 40), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Model(), before);
  Drag(title, title + QPoint(-400, 0));
  EXPECT_EQ(Model().Title.Left, 0);
  EXPECT_EQ(Find<QLineEdit>("EditGraphTitleLeft")->text(), "0");
  EXPECT_FALSE(Find<QCheckBox>("CheckBoxGraphTitleTopAuto")->isChecked());
}

TEST_F(GraphMouseTest, ReadoutNamesTheNearestPointAndMarksIt) {
  Start();
  const NumericColumns& columns = graph_->Engine().Columns();
  const GraphModel& m = Model();
  const DrawingState& s = graph_->Engine().State();
  const std::size_t line = 350;
  const double x = columns.Value(0, line), y = columns.Value(1, line);
  const QPoint point(ValueToPixelX(m, s, x), ValueToPixelY(m, s, y));
  const QPoint pointer = point + QPoint(0, -10);
  Mouse(QEvent::MouseMove, pointer, Qt::NoButton, Qt::NoButton);
  const std::string values =
      "Tan(Psi):   X=" + FormatAxisValue(x, 2) + ";   Y=" + FormatAxisValue(y, 4);
  EXPECT_EQ(graph_->StatusText().toStdString(),
            graph_->Engine().CursorReadoutAt(pointer.x(), pointer.y()) + "   " + values);
  EXPECT_EQ(graph_->ImageGraph()->Overlay().Marker, point);
  // The status bar is hidden: the values show beside the marker.
  EXPECT_EQ(graph_->PointText().toStdString(), values);

  Find<QLineEdit>("EditLegendText")->clear();  // curve 1's
  Mouse(QEvent::MouseMove, pointer, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(graph_->PointText().startsWith("Curve 1:"));

  // Nothing within twelve pixels: the readout of the position alone.
  const QPoint empty(75, 95);
  Mouse(QEvent::MouseMove, empty, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(graph_->StatusText().toStdString(),
            graph_->Engine().CursorReadoutAt(empty.x(), empty.y()));
  EXPECT_FALSE(graph_->ImageGraph()->Overlay().Marker);
  EXPECT_TRUE(graph_->PointText().isEmpty());
}

TEST_F(GraphMouseTest, ContextMenuZoomsOutAndResetsTheView) {
  Start();
  QStringList entries;
  for (QAction* a : View()->actions()) {
    // Smooth drawing, where the graph has it, stands before Reset view.
    const bool smooth = a->objectName().startsWith("ActionSmooth");
    entries << (a->isSeparator() ? "-" : smooth ? "Smooth" : a->text());
  }
  EXPECT_EQ(entries, QStringList({"Copy image", "Save image as…", "-", "&Fit to data", "&Zoom out",
                                  "Smooth", "&Reset view", "-", "S&tyle", "-", "&Columns…"}));
  const auto x = [&] {
    return std::pair(double(Model().AxisX.Minimum), double(Model().AxisX.Maximum));
  };
  Drag({120, 300}, {320, 160});
  const auto first = x();
  Drag({120, 300}, {320, 160});
  EXPECT_NE(x(), first);
  Find<QAction>("ActionGraphZoomOut")->trigger();
  EXPECT_EQ(x(), first);
  Find<QAction>("ActionGraphZoomOut")->trigger();
  EXPECT_EQ(x(), std::pair(300.0, 1000.0));
  Key(Qt::Key_Right);
  Drag({120, 300}, {320, 160});
  Find<QAction>("ActionGraphResetView")->trigger();
  EXPECT_EQ(x(), std::pair(300.0, 1000.0));
  EXPECT_EQ(Model().AxisY.TickLabels.DecDigits, 2);
  EXPECT_TRUE(main_->Hub().Undo());  // the reset is one step
  EXPECT_NE(x(), std::pair(300.0, 1000.0));
}

TEST_F(GraphMouseTest, RepaintingOnlyCurvesTurnsTheGesturesOffAndSaysWhy) {
  Start();
  Find<QCheckBox>("CheckBoxOnlyCurves")->setChecked(true);
  const GraphModel before = Model();
  Drag({120, 300}, {320, 160});
  Wheel({320, 230}, 120);
  Key(Qt::Key_Plus);
  EXPECT_EQ(Model(), before);
  EXPECT_EQ(main_->Messages()->text(),
            "The graph does not follow the mouse while 'Repaint only curves' is on");
}

}  // namespace
}  // namespace kurvex::shell
