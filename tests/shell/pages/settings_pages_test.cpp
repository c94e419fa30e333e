// The graph settings pages driven as a user drives them: typing, spinners, check boxes,
// dialogs answered by the test double; and the model they leave behind.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <filesystem>
#include <functional>

#include "common/number_text.h"
#include "graph/style_sections.h"
#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/message_line.h"
#include "shell/kit/notebook.h"
#include "shell/kit/up_down.h"
#include "shell/pages/curves_page.h"
#include "shell/pages/environment_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class SettingsPagesTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    painted_ = std::make_unique<QSignalSpy>(graph_.get(), &TFormKurvex::Painted);
  }

  /// Selects the whole text and types over it, key by key.
  void TypeInto(const char* edit, const QString& text) {
    auto* field = Find<QLineEdit>(edit);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  int Redraws() { return static_cast<int>(painted_->count()); }
  QString Message() const { return main_->Messages()->text(); }

  std::unique_ptr<QSignalSpy> painted_;
};

using IntField = std::function<int32_t&(GraphModel&)>;

// Every *int* handler: typing "-50" reports "-" in the message line (no modal box that would
// swallow "50") and ends with -50 stored, the mark and the message gone.
TEST_F(SettingsPagesTest, EveryIntegerEditTakesTypedTextWithoutLosingAKeystroke) {
  const std::vector<std::pair<const char*, IntField>> fields = {
      {"EditGraphTitleLeft", [](GraphModel& m) -> int32_t& { return m.Title.Left; }},
      {"EditGraphTitleTop", [](GraphModel& m) -> int32_t& { return m.Title.Top; }},
      {"EditAxisXTitleLeft", [](GraphModel& m) -> int32_t& { return m.AxisX.Title.Left; }},
      {"EditAxisXTitleTop", [](GraphModel& m) -> int32_t& { return m.AxisX.Title.Top; }},
      {"EditAxisXDecDigits",
       [](GraphModel& m) -> int32_t& { return m.AxisX.TickLabels.DecDigits; }},
      {"EditAxisXTickCount", [](GraphModel& m) -> int32_t& { return m.AxisX.TickCount; }},
      {"EditAxisXTickLength", [](GraphModel& m) -> int32_t& { return m.AxisX.TickLength; }},
      {"EditAxisYBottom", [](GraphModel& m) -> int32_t& { return m.AxisY.Bottom; }},
      {"EditAxisXLength", [](GraphModel& m) -> int32_t& { return m.AxisX.Length; }},
      {"EditAxisXWidth", [](GraphModel& m) -> int32_t& { return m.AxisX.Width; }},
      {"EditAxisYTitleLeft", [](GraphModel& m) -> int32_t& { return m.AxisY.Title.Left; }},
      {"EditAxisYTitleBottom", [](GraphModel& m) -> int32_t& { return m.AxisY.Title.Top; }},
      {"EditAxisYDecDigits",
       [](GraphModel& m) -> int32_t& { return m.AxisY.TickLabels.DecDigits; }},
      {"EditAxisYTickCount", [](GraphModel& m) -> int32_t& { return m.AxisY.TickCount; }},
      {"EditAxisYTickLength", [](GraphModel& m) -> int32_t& { return m.AxisY.TickLength; }},
      {"EditAxisXLeft", [](GraphModel& m) -> int32_t& { return m.AxisX.Left; }},
      {"EditAxisYLength", [](GraphModel& m) -> int32_t& { return m.AxisY.Length; }},
      {"EditAxisYWidth", [](GraphModel& m) -> int32_t& { return m.AxisY.Width; }},
      {"EditCurveLineWidth", [](GraphModel& m) -> int32_t& { return m.CurveLineWidth; }},
      {"EditLegendLeft", [](GraphModel& m) -> int32_t& { return m.Legend.Left; }},
      {"EditLegendTop", [](GraphModel& m) -> int32_t& { return m.Legend.Top; }},
      {"EditTextLeft", [](GraphModel& m) -> int32_t& { return m.Text.Left; }},
      {"EditTextTop", [](GraphModel& m) -> int32_t& { return m.Text.Top; }},
      {"EditGraphLeft", [](GraphModel& m) -> int32_t& { return m.ImageLeft; }},
  };
  for (const auto& [name, field] : fields) {
    SCOPED_TRACE(name);
    auto* edit = Find<QLineEdit>(name);
    edit->setEnabled(true);  // positions under Auto are typed after clearing it
    edit->setText("7");
    ASSERT_EQ(field(Model()), 7);
    edit->setText("-");
    EXPECT_EQ(Message(), "'-' is not a valid integer value");
    EXPECT_TRUE(edit->property("invalid").toBool());
    EXPECT_EQ(field(Model()), 7);
    TypeInto(name, "-50");
    EXPECT_EQ(field(Model()), -50);
    EXPECT_EQ(Message(), "");
    EXPECT_FALSE(edit->property("invalid").toBool());
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(SettingsPagesTest, BadIntegerChangesNothingAndDrawsNothing) {
  const int32_t count = Model().AxisX.TickCount;
  const int before = Redraws();
  TypeInto("EditAxisXTickCount", "12a");
  EXPECT_EQ(Model().AxisX.TickCount, 12);  // "1" and "12" were whole numbers on the way
  EXPECT_EQ(Message(), "'12a' is not a valid integer value");
  EXPECT_EQ(Redraws() - before, 2);
  EXPECT_NE(count, 12);
}

TEST_F(SettingsPagesTest, FloatEditsSwallowBadTextAndRespectTheRealRange) {
  const long double minimum = Model().AxisX.Minimum;
  const int before = Redraws();
  Find<QLineEdit>("EditAxisXMin")->setText("abc");
  Find<QLineEdit>("EditAxisXMin")->setText("1e39");  // beyond the 48-bit real
  EXPECT_EQ(static_cast<long double>(Model().AxisX.Minimum), minimum);
  EXPECT_EQ(Redraws(), before);
  Find<QLineEdit>("EditAxisYMax")->setText("1e-40");  // below its range: zero
  EXPECT_EQ(static_cast<long double>(Model().AxisY.Maximum), 0.0L);
  Find<QLineEdit>("EditAxisXMax")->setText("812.5");
  EXPECT_EQ(static_cast<long double>(Model().AxisX.Maximum), 812.5L);
  EXPECT_TRUE(dialogs_.Errors.empty());
  EXPECT_EQ(Message(), "");
}

TEST_F(SettingsPagesTest, TypedTextIsNotLimitedButPositionSpinnersAre) {
  Find<QLineEdit>("EditAxisXLength")->setText("5000");  // int: beyond the spinner's 1000
  EXPECT_EQ(Model().AxisX.Length, 5000);
  EXPECT_EQ(Find<UpDown>("UpDownAxisXLength")->Position(),
            Find<UpDown>("UpDownAxisXLength")->Position());
  Find<QLineEdit>("EditCurveSymbolSize")->setText("12");
  EXPECT_EQ(Model().CurvesFont.Size, 12);
  Find<QLineEdit>("EditCurveSymbolSize")->setText("99");  // pos: the spinner keeps 12
  EXPECT_EQ(Model().CurvesFont.Size, 12);
  Find<UpDown>("UpDownAxisXTickCount")->Step(1);  // step 5, written as decimal text
  EXPECT_EQ(Find<QLineEdit>("EditAxisXTickCount")->text(),
            QString::number(Find<UpDown>("UpDownAxisXTickCount")->Position()));
  EXPECT_EQ(Model().AxisX.TickCount, Find<UpDown>("UpDownAxisXTickCount")->Position());
}

TEST_F(SettingsPagesTest, ImageSizeCarriesTheAxisLengthsAlong) {
  const int32_t length = Model().AxisX.Length, height = Model().AxisY.Length;
  Find<UpDown>("UpDownGraphWidth")->Step(1);
  EXPECT_EQ(Model().AxisX.Length, length + 100);
  EXPECT_EQ(Find<QLineEdit>("EditAxisXLength")->text(), QString::number(length + 100));
  Find<UpDown>("UpDownGraphHeight")->Step(-1);
  EXPECT_EQ(Model().AxisY.Length, height - 100);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYLength")->text(), QString::number(height - 100));
}

TEST_F(SettingsPagesTest, FewerDecimalsRoundTheRangeThatIsKept) {
  Find<QLineEdit>("EditAxisXDecDigits")->setText("4");
  Find<QLineEdit>("EditAxisXMin")->setText("1.2345");
  Find<UpDown>("UpDownAxisXDecDigits")->SetPosition(0);
  EXPECT_EQ(Find<QLineEdit>("EditAxisXMin")->text(), "1");
  EXPECT_EQ(static_cast<long double>(Model().AxisX.Minimum), 1.0L);
  EXPECT_EQ(Model().AxisX.TickLabels.DecDigits, 0);
}

TEST_F(SettingsPagesTest, AutoRepaintOffDrawsOnlyTheTextBlockUntilSwitchedOn) {
  main_->Pages().Environment->CheckBoxAutoRepaint->setChecked(false);
  const int before = Redraws();
  Find<QCheckBox>("CheckBoxLegendVisible")->click();
  Find<QLineEdit>("EditTitle")->setText("Spectrum");
  EXPECT_EQ(Redraws(), before);
  EXPECT_EQ(Model().Title.Text, "Spectrum");
  Find<QPlainTextEdit>("MemoGraphText")->setPlainText("one\ntwo");
  EXPECT_EQ(Model().Text.Text, "one\r\ntwo");
  EXPECT_EQ(Redraws(), before + 1);
  main_->Pages().Environment->CheckBoxAutoRepaint->setChecked(true);
  EXPECT_EQ(Redraws(), before + 2);
}

TEST_F(SettingsPagesTest, AutoBoxesEnableTheirPositionAndStoreTheFlag) {
  auto* box = Find<QCheckBox>("CheckBoxLegendTopAuto");
  box->setChecked(true);
  box->click();
  EXPECT_FALSE(Model().Legend.TopAuto);
  EXPECT_TRUE(Find<QLineEdit>("EditLegendTop")->isEnabled());
  EXPECT_TRUE(Find<UpDown>("UpDownLegendTop")->isEnabled());
  box->click();
  EXPECT_TRUE(Model().Legend.TopAuto);
  EXPECT_FALSE(Find<QLineEdit>("EditLegendTop")->isEnabled());
}

TEST_F(SettingsPagesTest, CurvesPageShowsOneCurveAndStoresOnlyAUsersChange) {
  Model().Curve[3] = TCurve{"", "third", true, false, 2, 0, 0x00FF00};
  const TCurve stored = Model().Curve[3];
  Find<UpDown>("UpDownCurve")->SetPosition(3);
  EXPECT_EQ(Find<QLineEdit>("EditLegendText")->text(), "third");
  EXPECT_EQ(Find<ColorPanel>("PanelCurveColor")->Color(), 0x00FF00);
  EXPECT_EQ(Find<QComboBox>("ComboBoxLegend")->currentIndex(), 2);
  EXPECT_TRUE(Find<QCheckBox>("CheckBoxPoint")->isChecked());
  EXPECT_EQ(Model().Curve[3], stored);  // showing stores nothing

  Find<QCheckBox>("CheckBoxLine")->click();
  const TCurve& curve = Model().Curve[3];
  EXPECT_TRUE(curve.LineVisible);
  EXPECT_EQ(curve.Type, 1);
  EXPECT_EQ(curve.Symbol, 2);
  EXPECT_EQ(curve.SymbolText, "\u00C4");  // the code-page character, not the glyph shown
  EXPECT_EQ(curve.LegendText, "third");

  // After a load the page shows curve 1 again, and an edit goes there.
  main_->Options().SetVariables();
  EXPECT_EQ(Find<QLineEdit>("EditCurve")->text(), "1");
  TypeInto("EditLegendText", "first");
  EXPECT_EQ(Model().Curve[1].LegendText, "first");
}

TEST_F(SettingsPagesTest, TheLastCurveIsEditedLikeTheFirst) {
  const TCurve first = Model().Curve[1];
  TypeInto("EditCurve", "10");
  EXPECT_EQ(Find<UpDown>("UpDownCurve")->Position(), 10);
  TypeInto("EditLegendText", "tenth");
  Find<QCheckBox>("CheckBoxPoint")->click();
  EXPECT_EQ(Model().Curve[10].LegendText, "tenth");
  EXPECT_EQ(Model().Curve[10].SymbolVisible, Find<QCheckBox>("CheckBoxPoint")->isChecked());
  EXPECT_EQ(Model().Curve[1], first);
  Find<UpDown>("UpDownCurve")->Step(1);  // no eleventh
  EXPECT_EQ(Find<QLineEdit>("EditCurve")->text(), "10");
  EXPECT_EQ(Find<QLineEdit>("EditLegendText")->text(), "tenth");
}

TEST_F(SettingsPagesTest, SymbolListShowsWhatTheGraphDraws) {
  auto* list = Find<QComboBox>("ComboBoxLegend");
  ASSERT_EQ(list->count(), 71);
  const std::vector<std::pair<int, QString>> shown = {
      {0, "\u2022"}, {1, "\u00D7"}, {2, "\u2297"},  {3, "\u2663"}, {4, "\u2666"},
      {5, "\u2665"}, {6, "0"},      {19, "\u0391"}, {45, "\u03B1"}};
  for (const auto& [index, glyph] : shown) EXPECT_EQ(list->itemText(index), glyph) << index;
}

TEST_F(SettingsPagesTest, ColourAndFontDialogsRedrawAlsoWhenCancelled) {
  const TMyFont font = Model().AxisX.TickLabels.Font;
  int before = Redraws();
  QTest::mouseClick(Find<ClickLabel>("LabelAxisXLabels"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.FontRequests.size(), 1u);
  EXPECT_EQ(Model().AxisX.TickLabels.Font, font);
  EXPECT_EQ(Redraws(), before + 1);

  dialogs_.ColorAnswer = 0x0000FF;
  QTest::mouseClick(Find<ColorPanel>("PanelCurveColor"), Qt::LeftButton);
  EXPECT_EQ(Model().Curve[1].Color, 0x0000FF);
  QTest::mouseClick(Find<ColorPanel>("PanelAxisYColor"), Qt::LeftButton);
  EXPECT_EQ(Model().AxisY.Color, 0x0000FF);

  // The graph title's font opens on a double click in its edit, an axis title's on a click.
  QTest::mouseDClick(Find<QLineEdit>("EditTitle"), Qt::LeftButton);
  QTest::mouseClick(Find<QLineEdit>("EditAxisYTitle"), Qt::LeftButton);
  EXPECT_EQ(dialogs_.FontRequests.size(), 3u);
}

TEST_F(SettingsPagesTest, ControlsHaveAccessibleNames) {
  const std::vector<std::pair<const char*, QString>> names = {
      {"EditAxisXTickCount", "Count"},    {"EditGraphWidth", "Width"},
      {"PanelImageColor", "Image color"}, {"PanelBorderColor", "Border color"},
      {"EditLegendText", "Legend text"},  {"CheckBoxLine", "Line"}};
  for (const auto& [name, expected] : names) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Find<QWidget>(name));
    ASSERT_NE(face, nullptr) << name;
    EXPECT_EQ(face->text(QAccessible::Name), expected) << name;
  }
}

// Whatever a user can reach with the keyboard or the mouse on a settings page or a browser page
// is read out by a name.
TEST_F(SettingsPagesTest, EveryControlOfEveryPageHasAnAccessibleName) {
  Notebook* notebook = main_->NotebookSetting();
  int controls = 0;
  for (int page = 0; page < notebook->count(); ++page) {
    for (QWidget* widget : notebook->widget(page)->findChildren<QWidget*>()) {
      // The parts of a list or a combo box speak through the control they belong to; a popup
      // list and the hidden data strip are out of reach.
      if (widget->focusPolicy() == Qt::NoFocus || widget->window() != main_.get() ||
          !widget->isVisibleTo(notebook->widget(page)) ||
          qobject_cast<QComboBox*>(widget->parent()) ||
          qobject_cast<QAbstractScrollArea*>(widget->parent()) ||
          qobject_cast<QScrollArea*>(widget)) {
        continue;
      }
      ++controls;
      QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
      ASSERT_NE(face, nullptr) << widget->objectName().toStdString();
      EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty())
          << notebook->widget(page)->objectName().toStdString() << ": "
          << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
  }
  EXPECT_GT(controls, 80);
}

// A load fills every page and the fill writes back what was read, except the range rounded to
// the decimals shown and positions a spinner cannot hold.
TEST_F(SettingsPagesTest, FillWritesBackEveryKeyOfEveryShippedStyle) {
  const std::filesystem::path styles =
      std::filesystem::path(KURVEX_SOURCE_DIR) / "resources/Setting";
  std::vector<std::filesystem::path> files(std::filesystem::directory_iterator(styles), {});
  files.push_back(Path("Empty.ini"));  // every key at its default
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    main_->Pages().Environment->CheckBoxLoadAllOptions->setChecked(true);
    GraphModel direct = Model();
    LoadOptionsFile(direct, file.string());
    main_->Options().LoadOptions(file.string());
    ProfileFile expected(Path("expected.ini")), actual(Path("actual.ini"));
    WriteOptionsSections(direct, expected);
    WriteOptionsSections(Model(), actual);
    for (const char* axis : {"AxisX", "AxisY"}) {
      const int digits = expected.ReadInteger(axis, "TickLabelDecDigits", 0);
      for (const char* key : {"Minimum", "Maximum"}) {
        const long double value = TextToFloat(expected.ReadString(axis, key, "0"));
        expected.WriteString(axis, key, FloatToText(TextToFloat(FormatFixed(value, digits))));
      }
    }
    EXPECT_EQ(actual.ToText(), expected.ToText());
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(SettingsPagesTest, UndoAndRedoWalkTheUsersSteps) {
  const GraphModel start = Model();
  TypeInto("EditAxisXTickCount", "12");  // two keystrokes, one step
  Find<QCheckBox>("CheckBoxLegendVisible")->click();
  const GraphModel edited = Model();
  main_->TreeView()->setFocus();
  QTest::keyClick(main_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Model().Legend.Visible, start.Legend.Visible);
  EXPECT_EQ(Model().AxisX.TickCount, 12);
  EXPECT_EQ(Find<QCheckBox>("CheckBoxLegendVisible")->isChecked(), start.Legend.Visible);
  QTest::keyClick(main_.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Model() == start);
  EXPECT_EQ(Find<QLineEdit>("EditAxisXTickCount")->text(), QString::number(start.AxisX.TickCount));
  QTest::keyClick(main_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(main_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(Model() == edited);

  // A whole options load is one step; a fill the program does is none.
  main_->Hub().Step([&] {
    main_->Options().LoadOptions(std::string(KURVEX_SOURCE_DIR) + "/resources/Setting/Large.ini");
  });
  EXPECT_EQ(Model().ImageWidth, 800);
  main_->Options().SetVariables();
  EXPECT_TRUE(main_->Hub().Undo());
  EXPECT_TRUE(Model() == edited);
  EXPECT_EQ(Find<QLineEdit>("EditGraphWidth")->text(), QString::number(edited.ImageWidth));
}

// The undo rules a user relies on, each a path that once let a fault through.
TEST_F(SettingsPagesTest, UndoStepsFollowTheUsersActions) {
  const std::string styles = std::string(KURVEX_SOURCE_DIR) + "/resources/Setting";
  const GraphModel start = Model();
  const auto undoKey = [&] {
    main_->TreeView()->setFocus();
    QTest::keyClick(main_.get(), Qt::Key_Z, Qt::ControlModifier);
  };
  const auto pickStyle = [&](const char* name) {
    main_->Pages().LoadIni->Browser->SetDirectory(QString::fromStdString(styles));
    ASSERT_TRUE(main_->Pages().LoadIni->Browser->Files()->SelectFile(name));
  };
  struct Case {
    const char* name;
    std::function<void()> act;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"Ctrl+Z draws the graph once and leaves painting on",
       [&] {
         TypeInto("EditAxisXTickCount", "12");
         painted_->clear();
         undoKey();
       },
       [&] {
         EXPECT_EQ(Redraws(), 1);
         EXPECT_TRUE(graph_->PaintEnabled());
         Find<QCheckBox>("CheckBoxLegendVisible")->click();
         EXPECT_EQ(Redraws(), 2);
       }},
      {"a new edit after an undo ends the redo",
       [&] {
         TypeInto("EditAxisXTickCount", "12");
         undoKey();
         Find<QCheckBox>("CheckBoxLegendVisible")->click();
       },
       [&] {
         EXPECT_FALSE(main_->Hub().Redo());
         EXPECT_EQ(Model().AxisX.TickCount, start.AxisX.TickCount);
       }},
      {"two loads of options files are two steps",
       [&] {
         pickStyle("Large.ini");
         pickStyle("Points.ini");
       },
       [&] {
         const GraphModel points = Model();
         EXPECT_TRUE(main_->Hub().Undo());
         EXPECT_EQ(Model().ImageWidth, 800) << "back to Large.ini";
         EXPECT_TRUE(main_->Hub().Undo());
         EXPECT_TRUE(Model() == start);
         EXPECT_TRUE(main_->Hub().Redo());
         EXPECT_TRUE(main_->Hub().Redo());
         EXPECT_TRUE(Model() == points);
       }},
      {"an edit of the same control after an undo is a step of its own",
       [&] {
         Find<QCheckBox>("CheckBoxLegendVisible")->click();
         TypeInto("EditAxisXTickCount", "12");
         undoKey();
         TypeInto("EditAxisXTickCount", "5");
       },
       [&] {
         EXPECT_TRUE(main_->Hub().Undo());
         EXPECT_EQ(Model().AxisX.TickCount, start.AxisX.TickCount);
         EXPECT_NE(Model().Legend.Visible, start.Legend.Visible) << "the first step stays done";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    Start();
    painted_ = std::make_unique<QSignalSpy>(graph_.get(), &TFormKurvex::Painted);
    c.act();
    c.check();
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// What the program writes into the pages by itself is no step of the user's: after a file picked
// in the data list (fitted to the axes), a style loaded with painting off and a fill of every
// page, the one step to undo is the user's own change, and it goes back to the loaded style.
TEST_F(SettingsPagesTest, DataLoadsAndPageFillsRecordNoUndoStep) {
  Write("spectra/ftir.xy", "4000 1200\n2000 2950\n550 1800\n");
  // A range finer than its decimals: filling the page rounds it in the model.
  Write("fine.ini", "[Data]\nDataPath=" + Path("spectra") +
                        "\nDataFile=ftir.xy\n[AxisY]\nMinimum=1000.123456\nMaximum=3000.5\n"
                        "TickLabelDecDigits=1\n");
  main_->Pages().Environment->CheckBoxFitAxes->setChecked(true);
  FileBrowser* browser = main_->Pages().Data->Browser;
  browser->SetDirectory(QString::fromStdString(Path("spectra")));
  ASSERT_TRUE(browser->Files()->SelectFile("ftir.xy"));
  ASSERT_EQ(graph_->Engine().DataFilePath(), Path("spectra/ftir.xy"));
  graph_->SetPaintEnabled(false);
  main_->Options().LoadOptions(Path("fine.ini"));
  main_->Options().SetVariables();
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMin")->text().toStdString(), FormatFixed(1000.1L, 1));
  EXPECT_FALSE(main_->Hub().History().CanUndo());

  const GraphModel filled = Model();
  TypeInto("EditAxisXTickCount", "12");
  EXPECT_TRUE(main_->Hub().Undo());
  EXPECT_TRUE(Model() == filled);
  EXPECT_FALSE(main_->Hub().Undo());
}

TEST_F(SettingsPagesTest, FitToDataWritesThroughTheEditsAsOneUndoStep) {
  const GraphModel before = Model();
  Find<QPushButton>("ButtonAxisYFit")->click();
  // The built-in sample's curves lie between about -0.9 and 1.8.
  EXPECT_LT(static_cast<long double>(Model().AxisY.Minimum), -0.8L);
  EXPECT_GT(static_cast<long double>(Model().AxisY.Maximum), 1.7L);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMin")->text().toStdString(),
            FormatFixed(Model().AxisY.Minimum, Model().AxisY.TickLabels.DecDigits));
  EXPECT_EQ(Find<QLineEdit>("EditAxisYTickCount")->text(),
            QString::number(Model().AxisY.TickCount));
  EXPECT_TRUE(main_->Hub().Undo());
  EXPECT_TRUE(Model() == before);
  EXPECT_FALSE(main_->Hub().History().CanUndo());
}

// Reverse swaps From and To; the fits keep an axis's direction and fit a logarithmic one in
// decades.
TEST_F(SettingsPagesTest, ReverseIsOneStepAndFitsKeepTheAxisDirection) {
  const GraphModel before = Model();
  const QString from = Find<QLineEdit>("EditAxisYMin")->text();
  const QString to = Find<QLineEdit>("EditAxisYMax")->text();
  Find<QPushButton>("ButtonAxisYReverse")->click();
  EXPECT_EQ(Model().AxisY.Minimum, before.AxisY.Maximum);
  EXPECT_EQ(Model().AxisY.Maximum, before.AxisY.Minimum);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMin")->text(), to);
  EXPECT_EQ(Find<QLineEdit>("EditAxisYMax")->text(), from);

  // The built-in sample's curves lie between about -0.9 and 1.8.
  Find<QPushButton>("ButtonAxisYFit")->click();
  EXPECT_EQ(Model().AxisY.Minimum, 2);
  EXPECT_EQ(Model().AxisY.Maximum, -1);

  // Its x runs from 300 to 1000: one decade.
  Find<QCheckBox>("CheckBoxAxisXLogarithmic")->click();
  Find<QPushButton>("ButtonAxisXFit")->click();
  EXPECT_EQ(Model().AxisX.Minimum, 100);
  EXPECT_EQ(Model().AxisX.Maximum, 1000);

  for (int step = 0; step < 4; ++step) EXPECT_TRUE(main_->Hub().Undo()) << step;
  EXPECT_TRUE(Model() == before);
  EXPECT_FALSE(main_->Hub().History().CanUndo());
}

TEST_F(SettingsPagesTest, UndoKeysLeaveTextFieldsTheirOwnUndo) {
  TypeInto("EditTitle", "Raman");
  QTest::keyClick(Find<QLineEdit>("EditTitle"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(main_->Hub().History().CanUndo());  // the window's undo did not run
}

}  // namespace
}  // namespace kurvex::shell
