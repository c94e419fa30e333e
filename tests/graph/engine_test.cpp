#include "graph/graph_engine.h"

#include "graph/data/column_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "common/real48.h"
#include "common/temp_dir.h"
#include "graph/axis_fit.h"
#include "graph/curve_palette.h"
#include "graph/data/data_error.h"
#include "graph/files_style.h"
#include "graph/model.h"
#include "graph/style_sections.h"

namespace kurvex {
namespace {

class Engine : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.OnPainted = [this] { ++paints; };
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  void ReadyToPaint() {
    ApplyStartValues(engine.Model);
    engine.PaintEnabled = true;
  }

  test::TempDir dir;
  GraphEngine engine;
  int paints = 0;
};

TEST_F(Engine, StartsEmptyWithTheSampleAndDrawsNothing) {
  EXPECT_TRUE(engine.Model.LoadAllOptions);
  EXPECT_FALSE(engine.PaintEnabled);
  EXPECT_EQ(engine.Model.ImageWidth, 0);
  EXPECT_EQ(engine.Data().LineCount(), 701u);
  EXPECT_EQ(engine.DataFileName(), "Demo1.txt");
  EXPECT_EQ(engine.DataFilePath(), "");
  engine.Model.AutoRepaint = true;
  engine.RepaintIfAuto();
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(engine.Pixels().Width(), 2000);
  EXPECT_EQ(engine.Pixels().Height(), 2000);
}

TEST_F(Engine, AnUnreadableFileChangesNothing) {
  ReadyToPaint();
  EXPECT_FALSE(engine.LoadDataFile(dir.File("missing.xy")));
  EXPECT_FALSE(engine.LoadDataFile(dir.Path()));  // a folder
  EXPECT_EQ(engine.Data().LineCount(), 701u);
  EXPECT_EQ(engine.DataFileName(), "Demo1.txt");
  EXPECT_EQ(paints, 0);
}

TEST_F(Engine, ALoadedFileBecomesTheDataTextAndRedraws) {
  ReadyToPaint();
  const std::string path = Write("si.xy", "Run 7\r\n300 1 2\r\n400 1.5 2.5\r\n");
  EXPECT_TRUE(engine.LoadDataFile(path));
  EXPECT_EQ(engine.DataFileName(), "si.xy");
  EXPECT_EQ(engine.DataFilePath(), path);
  EXPECT_EQ(engine.HeadText(), "Run 7");
  ASSERT_EQ(engine.Data().LineCount(), 2u);
  EXPECT_EQ(engine.Data().Line(1), "400 1.5 2.5");
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(engine.State().CurveCount, 2);
}

TEST_F(Engine, DataChangesRedrawOnlyAfterTheFirstLoad) {
  ReadyToPaint();
  engine.SetDataText("300 1\r\n400 2");
  EXPECT_EQ(paints, 0);
  engine.LoadDataFile(dir.File("missing.xy"));  // re-attaches even when it fails
  engine.SetDataText("300 1\r\n400 2");
  EXPECT_EQ(paints, 1);
  engine.Model.AutoRepaint = false;
  engine.SetDataText("300 1");
  EXPECT_EQ(paints, 1);
}

TEST_F(Engine, LoadingNeverThrowsEvenWhenTheDrawingFails) {
  ReadyToPaint();
  const std::string path = Write("bad.xy", "300 1 2\r\nx y z\r\n");
  EXPECT_NO_THROW(EXPECT_TRUE(engine.LoadDataFile(path)));
  EXPECT_EQ(engine.DataFileName(), "bad.xy");
  EXPECT_EQ(paints, 1);  // the failed drawing still shows what it painted
}

// The error names the line as an editor numbers it: head lines and blank lines count.
TEST_F(Engine, ADataErrorNamesItsLineInTheFile) {
  const struct {
    const char* file;
    std::size_t line;
  } cases[] = {
      {"Sample\r\n\r\n300 1 2\r\n301 1 2\r\n302 dpolE 2\r\n", 5},
      {"300 y z\n", 1},                    // the first line fails already in the legend
      {"Run 7\n300 1 2\n\n301 1 2\n", 3},  // a blank line inside the data
      {"300 1 2\n301 1\n", 2},             // a short line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ReadyToPaint();
    ASSERT_TRUE(engine.LoadDataFile(Write("si.xy", c.file)));
    try {
      engine.RepaintGraph();
      ADD_FAILURE() << "no error";
    } catch (const DataLineError& e) {
      EXPECT_EQ(e.Line(), c.line);
    }
  }
  ReadyToPaint();
  ASSERT_TRUE(engine.LoadDataFile(Write("si.xy", "Head\n300 1\n\n")));
  EXPECT_NO_THROW(engine.RepaintGraph());  // trailing blank lines are no data
}

TEST_F(Engine, AnEmptyFileClearsTheDataButKeepsNameAndPicture) {
  ReadyToPaint();
  EXPECT_TRUE(engine.LoadDataFile(Write("empty.xy", "")));
  EXPECT_TRUE(engine.Data().Empty());
  EXPECT_EQ(engine.DataFileName(), "Demo1.txt");
  EXPECT_EQ(paints, 0);
}

TEST_F(Engine, ALoneLineBreakIsOneEmptyHeadLine) {
  ReadyToPaint();
  EXPECT_TRUE(engine.LoadDataFile(Write("blank.txt", "\n")));
  EXPECT_TRUE(engine.Data().Empty());
  EXPECT_EQ(engine.DataFileName(), "blank.txt");
}

TEST_F(Engine, HeadLinesOnlyGiveAnEmptyDataText) {
  ReadyToPaint();
  EXPECT_TRUE(engine.LoadDataFile(Write("head.txt", "title\r\n\r\nremark\r\n")));
  EXPECT_TRUE(engine.Data().Empty());
  EXPECT_EQ(engine.HeadText(), "title\r\n\r\nremark");
  EXPECT_EQ(engine.DataFileName(), "head.txt");
}

// A head text far longer than the surface can show is wrapped only as far as it shows.
TEST_F(Engine, AHugeHeadTextIsWrappedOnlyAsFarAsItShows) {
  ReadyToPaint();
  engine.Model.ImageHeight += 1500;  // room below the graph, which stays where it was
  engine.Model.AxisY.Bottom += 1500;
  std::string head;
  for (int i = 0; i < 100000; ++i) head += "remark\tnumber " + std::to_string(i) + "\n";
  EXPECT_TRUE(engine.LoadDataFile(Write("head.txt", head + "300 1 2\n")));
  EXPECT_EQ(engine.HeadText().substr(0, 34), "remark\tnumber 0\r\nremark\tnumber 1\r\n");
  const std::vector<std::string>& lines = engine.TextBlockLines();
  ASSERT_GT(lines.size(), 10u);
  EXPECT_LT(lines.size(), 2000u);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "remark number 5"), lines.end());
}

// The drawing, the fits and the readout take the processed numbers; the copy is made again only
// when the data or the processing change, and processing that does nothing copies nothing.
TEST_F(Engine, ProcessedNumbersFollowTheDataAndTheKeys) {
  engine.LoadDataFile(Write("a.txt", "0 1 2\n1 3 4\n2 2 8\n"));
  EXPECT_EQ(&engine.Columns(), &engine.ReadColumns());
  const auto curve = [&](int k) {
    const NumericColumns& c = engine.Columns();
    return std::vector<double>{c.Value(k, 0), c.Value(k, 1), c.Value(k, 2)};
  };
  engine.Model.Processing.Normalize = 1;
  EXPECT_EQ(curve(1), (std::vector<double>{1 / 3.0, 1, 2 / 3.0}));
  EXPECT_EQ(curve(2), (std::vector<double>{0.25, 0.5, 1}));
  const double* made = engine.Columns().Column(1);
  engine.Model.AxisX.Length += 10;  // not a processing key
  EXPECT_EQ(engine.Columns().Column(1), made);
  engine.Model.Processing.Offset = 1;
  EXPECT_EQ(curve(1), (std::vector<double>{1 / 3.0 + 1, 2, 2 / 3.0 + 1}));
  engine.LoadDataFile(Write("b.txt", "0 2 1\n1 4 1\n2 1 2\n"));
  EXPECT_EQ(curve(1), (std::vector<double>{1.5, 2, 1.25}));
  EXPECT_EQ(engine.ReadColumns().Value(1, 1), 4);
  engine.Model.Processing = {};
  EXPECT_EQ(&engine.Columns(), &engine.ReadColumns());
}

TEST_F(Engine, ReadoutUsesTheOriginOfTheLastFullRedraw) {
  ReadyToPaint();
  engine.RepaintGraph();
  EXPECT_EQ(engine.CursorReadoutAt(320, 230), "Position in coordinate system:   X=650;   Y=1.00");
  engine.Model.AxisX.Left = 100;  // not redrawn yet
  EXPECT_EQ(engine.CursorReadoutAt(320, 230), "Position in coordinate system:   X=650;   Y=1.00");
  engine.CursorPrefix = "Poloha:";
  EXPECT_EQ(engine.ClearCursorPosition(), "Poloha:   X=?;   Y=?");
}

TEST_F(Engine, CurvesOnlyModeKeepsTheOrigin) {
  ReadyToPaint();
  engine.RepaintGraph();
  engine.Model.OnlyCurves = true;
  engine.Model.AxisX.Left = 100;
  engine.RepaintGraph();
  EXPECT_EQ(engine.State().OriginX, 70);
}

namespace kurvex {
namespace {

// JCAMP-DX files are recognised by their content and drawn from their decoded points: what the
// drawing reads, where it stops and what the user is told.
TEST_F(Engine, JcampDxFilesAreDrawnFromTheirDecodedPoints) {
  struct Case {
    const char* file;
    std::size_t points;
    bool symbolsOnly;
    std::string note;
    std::string error;  // "line: message" where the drawing stops, or empty
    int curves = 1;
    std::string dataType = {};   // empty: not checked
    std::string firstLine = {};  // of the data text shown
  };
  const Case cases[] = {
      {"ir_polystyrene_difdup.jdx", 921, false, "", "", 1, "INFRARED SPECTRUM", "3999.64 0.915"},
      {"ms_toluene_peak_table.jdx", 14, true, "", ""},
      {"ir_polystyrene_link.jdx", 101, false, "the file holds 2 blocks of data; the first is drawn",
       ""},
      {"ir_polystyrene_bad_check.jdx", 0, false, "", "28: JCAMP-DX check value does not match"},
      {"nmr_ntuples_real_imag.jdx", 16, false, "", "", 2, "NMR SPECTRUM", "2000 1.5 0"},
      {"nmr_link_peaks_first.jdx", 24, false, "the file holds 2 blocks of data; block 2 is drawn",
       "", 1, "NMR SPECTRUM", "4.6 10"},
      {"ms_ntuples_pages.jdx", 5, true, "the file holds 3 pages of data; the first is drawn", "", 1,
       "MASS SPECTRUM", "31 100"},
  };
  for (const Case& c : cases) {
    ReadyToPaint();
    engine.Model.AutoRepaint = false;
    ASSERT_TRUE(engine.LoadDataFile(std::string(KURVEX_TEST_DATA_DIR) + "/jcamp/" + c.file));
    const NumericColumns& columns = engine.Columns();
    if (c.points > 0) {
      EXPECT_EQ(columns.LineCount(), c.points) << c.file;
    }
    EXPECT_EQ(columns.CurveCount(), c.curves) << c.file;
    EXPECT_EQ(engine.SymbolsOnly(), c.symbolsOnly) << c.file;
    EXPECT_EQ(engine.LoadNote(), c.note) << c.file;
    EXPECT_EQ(engine.HeadText().substr(0, 8), "##TITLE=") << c.file;
    if (!c.dataType.empty()) {
      EXPECT_EQ(engine.Spectrum().DataType, c.dataType) << c.file;
      EXPECT_EQ(engine.Names().XTitle, engine.Spectrum().XUnits) << c.file;
      EXPECT_FALSE(engine.Names().XTitle.empty()) << c.file;
      EXPECT_EQ(engine.Spectrum().Title,
                engine.HeadText().substr(8, engine.Spectrum().Title.size()))
          << c.file;
      ASSERT_FALSE(engine.Data().Empty()) << c.file;
      EXPECT_EQ(engine.Data().Line(0), c.firstLine) << c.file;
    }
    std::string error;
    try {
      engine.RepaintGraph();
    } catch (const DataLineError& e) {
      error = std::to_string(e.Line()) + ": " + e.what();
    }
    EXPECT_EQ(error, c.error) << c.file;
  }
}

// What the files style takes from each file: its titles, its legend rows, which way a fit
// runs the x axis; every curve a line of its own palette colour and no head text.
TEST_F(Engine, TheFilesStyleTakesTitlesLegendAndDirectionFromTheFile) {
  struct Case {
    std::string file;     // a file written here, or one of the JCAMP-DX test files
    std::string content;  // empty: the JCAMP-DX file
    std::string title, xTitle, yTitle;
    std::vector<std::string> legend;
    bool falls;
  };
  const std::vector<Case> cases = {
      {"ftir.csv",
       "Wavenumber (cm-1);Transmittance (%)\n550;80\n2000;40\n4000;90\n",
       "ftir.csv",
       "Wavenumber (cm-1)",
       "Transmittance (%)",
       {"Transmittance (%)"},
       true},
      {"raman.txt",
       "#Laser 532 nm\nRaman shift (cm-1)\tCounts\n3200\t5\n100\t9\n",
       "raman.txt",
       "Raman shift (cm-1)",
       "Counts",
       {"Counts"},
       false},
      {"xps.txt",
       "Binding energy (eV)\tCounts\n1200\t5\n0\t9\n",
       "xps.txt",
       "Binding energy (eV)",
       "Counts",
       {"Counts"},
       false},
      {"psi.dat",
       "Wavelength Psi Delta sPsi\n300 1 2 3\n900 2 1 3\n",
       "psi.dat",
       "Wavelength",
       "",
       {"Psi", "Delta", "sPsi"},
       false},
      {"bare.xy", "4000 1\n400 2\n", "bare.xy", "", "", {""}, false},
      {"ir_polystyrene_difdup.jdx",
       "",
       "Polystyrene film, 38 micrometres",
       "1/CM",
       "TRANSMITTANCE",
       {"TRANSMITTANCE"},
       true},
      {"raman_polystyrene_sqz.jdx", "", "", "", "", {}, false},
      {"uvvis_riboflavin_xypoints.jdx", "", "", "", "", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    engine.Model = FilesStyle();
    engine.PaintEnabled = false;
    const std::string path = c.content.empty()
                                 ? std::string(KURVEX_TEST_DATA_DIR) + "/jcamp/" + c.file
                                 : Write(c.file, c.content);
    ASSERT_TRUE(engine.LoadDataFile(path));
    const DataNames names = engine.Names();
    EXPECT_EQ(UnaskedFitFalls(engine.Model, engine.Loaded(), MeasureData(engine.Columns())),
              c.falls);
    engine.PaintEnabled = true;
    engine.RepaintGraph();
    EXPECT_TRUE(engine.TextBlockLines().empty());
    if (c.title.empty()) continue;  // the direction only
    EXPECT_EQ(ExpandPlaceholders(engine.Model.Title.Text, names), c.title);
    EXPECT_EQ(ExpandPlaceholders(engine.Model.AxisX.Title.Text, names), c.xTitle);
    EXPECT_EQ(ExpandPlaceholders(engine.Model.AxisY.Title.Text, names), c.yTitle);
    ASSERT_EQ(engine.State().CurveCount, static_cast<int>(c.legend.size()));
    for (int k = 1; k <= engine.State().CurveCount; ++k) {
      EXPECT_EQ(ExpandPlaceholders(engine.Model.Curve[k].LegendText, names), c.legend[k - 1]);
    }
  }
  // Ten curves, ten colours, all drawn as lines; the desktop loads the same style from its file.
  const GraphModel style = FilesStyle();
  for (int k = 1; k <= kCurveCount; ++k) {
    EXPECT_TRUE(style.Curve[k].LineVisible && !style.Curve[k].SymbolVisible) << k;
    EXPECT_EQ(style.Curve[k].Color, CurveColor(k)) << k;
    for (int j = 1; j < k; ++j) EXPECT_NE(CurveColor(j), CurveColor(k)) << j << " " << k;
  }
  GraphModel shipped;
  shipped.LoadAllOptions = true;
  LoadOptionsFile(shipped, std::string(KURVEX_TEST_DATA_DIR) + "/../../resources/Setting/Files.ini",
                  AfterFailure::kDefaults);
  EXPECT_EQ(shipped, style);
}

}  // namespace
}  // namespace kurvex

// A batch that starts each picture from the base it drew once paints the pictures of drawing
// each whole, and finds out the same: a new base whenever the texts show other of the file.
TEST_F(Engine, PicturesStartedFromAFrameEqualPicturesDrawnWhole) {
  GraphEngine whole;
  ApplyStartValues(whole.Model);
  ReadyToPaint();
  engine.ReuseFrames = true;
  // A style field changed between two pictures, as a caller of the engine changes it: the
  // frame of the older style must not serve.
  using Change = std::function<void(GraphModel&)>;
  const Change same = [](GraphModel&) {};
  const struct {
    const char* file;
    const char* title;  // the style's title; the text block shows the head text
    Change change;
  } cases[] = {
      {"300 1 2\n600 2 1\n900 0 3\n", "Ellipsometry", same},
      {"400 2 1\n800 1 2\n", "Ellipsometry", same},         // the frame serves
      {"350 0 3\n950 3 0\n", "Ellipsometry", same},         // again, over the last picture
      {"Run 7\n400 2 1\n800 1 2\n", "Ellipsometry", same},  // another head text: a new base
      {"Run 7\n300 1 1\n500 x 2\n700 2 2\n", "Ellipsometry", same},  // stops at its bad field
      {"Run 8\n300 2\n900 1\n", "{DataFile}", same},                 // another style, one curve
      {"Run 8\n300 1\n900 2\n", "{DataFile}", same},                 // the title names another file
      {"300 1 2\n900 2 1\n", "Ellipsometry", [](GraphModel& m) { m.AxisX.Color = 0x0000FF; }},
      {"300 1 2\n900 2 1\n", "Ellipsometry",
       [](GraphModel& m) { m.AxisY.Minimum = Real48::From(-2); }},
      {"300 1 2\n900 2 1\n", "Ellipsometry", [](GraphModel& m) { m.AxisX.Length = 401; }},
      {"300 1 2\n900 2 1\n", "Ellipsometry",
       [](GraphModel& m) { m.Text.Visible = !m.Text.Visible; }},
      {"300 1 2\n900 2 1\n", "Ellipsometry",
       [](GraphModel& m) {
         m.AxisY.Logarithmic = true;  // From -2: drawn linear, with a warning
       }},
      // Curves of width 4 with their legend over four pictures in a row.
      {"300 1 2\n900 2 1\n", "Ellipsometry", [](GraphModel& m) { m.CurveLineWidth = 4; }},
      {"310 2 2\n910 1 1\n", "Ellipsometry", same},
      {"320 0 1\n920 2 2\n", "Ellipsometry", same},
      {"330 1 0\n930 0 2\n", "Ellipsometry", same},
      // The pen the last picture left differs: one curve after two, and two after one.
      {"300 2\n900 1\n", "Ellipsometry", same},
      {"300 1 2\n900 2 1\n", "Ellipsometry", same},
      // Smooth pictures in between draw without frames.
      {"300 1 2\n900 2 1\n", "Ellipsometry", [](GraphModel& m) { m.ImageSmooth = true; }},
      {"310 1 2\n910 2 1\n", "Ellipsometry", same},
      {"320 1 2\n920 2 1\n", "Ellipsometry", [](GraphModel& m) { m.ImageSmooth = false; }},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = Write("f" + std::to_string(n++) + ".xy", c.file);
    for (GraphEngine* e : {&engine, &whole}) {
      e->Model.Title.Text = c.title;
      c.change(e->Model);
      e->PaintEnabled = false;
      ASSERT_TRUE(e->LoadDataFile(path));
      e->PaintEnabled = true;
      try {
        e->RepaintGraph();
      } catch (const DataLineError&) {
      }
    }
    const PixelBuffer& a = engine.Pixels();
    const PixelBuffer& b = whole.Pixels();
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    EXPECT_TRUE(std::equal(a.Row(0), a.Row(a.Height() - 1) + a.Width(), b.Row(0)));
    EXPECT_EQ(engine.State().Plot, whole.State().Plot);
    EXPECT_EQ(engine.State().OriginX, whole.State().OriginX);
    EXPECT_EQ(engine.State().OriginY, whole.State().OriginY);
    EXPECT_EQ(engine.State().AxisWarning, whole.State().AxisWarning);
    EXPECT_EQ(engine.State().TextBlockLines, whole.State().TextBlockLines);
    EXPECT_EQ(engine.State().CurveCount, whole.State().CurveCount);
  }
}

// What a dialog of columns calls: the file's columns by name, then a choice that the style
// keeps and the data text, read again, shows.
TEST_F(Engine, AChoiceOfColumnsIsKeptByTheStyleAndReadAgain) {
  const std::string path =
      Write("b.csv",
            "Pixel;Wavelength;Raman Shift;Dark;Raw data #1;Dark Subtracted #1\n"
            "nm;nm;cm-1;counts;counts;counts\n"
            "0;500,1;100,5;11;41;30\n1;500,3;108,5;12;52;40\n");
  engine.Model.FindDataBlock = true;
  ASSERT_TRUE(engine.LoadDataFile(path));
  EXPECT_EQ(engine.LoadNote(),
            "x: Raman Shift (cm-1) (column 3), y: Dark Subtracted #1 (counts) (column 6)");
  EXPECT_EQ(engine.Names().XTitle, "Raman Shift (cm-1)");
  EXPECT_EQ(engine.Data().Joined("\n"), "100.5 30\n108.5 40");
  const std::vector<std::string> columns = engine.FileColumns(path);
  ASSERT_EQ(columns.size(), 6u);
  EXPECT_EQ(columns[1], "Wavelength (nm)");
  ASSERT_TRUE(engine.ApplyColumns(ColumnRequestFor(2, {5, 4})));
  EXPECT_EQ(engine.Model.XColumn, "2");
  EXPECT_EQ(engine.Model.YColumns, "5,4");
  EXPECT_EQ(engine.LoadNote(), "");
  EXPECT_EQ(engine.Names().XTitle, "Wavelength (nm)");
  EXPECT_EQ(engine.Data().Joined("\n"), "500.1 41 11\n500.3 52 12");
  EXPECT_TRUE(engine.FileColumns(dir.File("missing.csv")).empty());
}

}  // namespace
}  // namespace kurvex
