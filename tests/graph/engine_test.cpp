#include "graph/graph_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "common/temp_dir.h"
#include "graph/data/data_error.h"
#include "graph/model.h"

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

}  // namespace
}  // namespace kurvex

// A batch that starts each picture from the base it drew once paints the pictures of drawing
// each whole, and finds out the same: a new base whenever the texts show other of the file.
TEST_F(Engine, PicturesStartedFromAFrameEqualPicturesDrawnWhole) {
  GraphEngine whole;
  ApplyStartValues(whole.Model);
  ReadyToPaint();
  engine.ReuseFrames = true;
  const struct {
    const char* file;
    const char* title;  // the style's title; the text block shows the head text
  } cases[] = {
      {"300 1 2\n600 2 1\n900 0 3\n", "Ellipsometry"},
      {"400 2 1\n800 1 2\n", "Ellipsometry"},                  // the frame serves
      {"350 0 3\n950 3 0\n", "Ellipsometry"},                  // again, over the last picture
      {"Run 7\n400 2 1\n800 1 2\n", "Ellipsometry"},           // another head text: a new base
      {"Run 7\n300 1 1\n500 x 2\n700 2 2\n", "Ellipsometry"},  // stops at its bad field
      {"Run 8\n300 2\n900 1\n", "{DataFile}"},                 // another style, one curve
      {"Run 8\n300 1\n900 2\n", "{DataFile}"},                 // the title names another file
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = Write("f" + std::to_string(n++) + ".xy", c.file);
    for (GraphEngine* e : {&engine, &whole}) {
      e->Model.Title.Text = c.title;
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
    EXPECT_EQ(engine.State().Plot.Top, whole.State().Plot.Top);
    EXPECT_EQ(engine.State().TextBlockLines, whole.State().TextBlockLines);
    EXPECT_EQ(engine.State().CurveCount, whole.State().CurveCount);
  }
}

}  // namespace
}  // namespace kurvex
