#include "graph/style_sections.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <fstream>
#include <sstream>

#include "common/error.h"
#include "common/number_text.h"
#include "common/temp_dir.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

using test::TempDir;
using ::testing::HasSubstr;
using ::testing::Not;

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Non-empty lines, whatever the line ends and spacing between sections.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// Every persisted field in its file form (a fresh file, so nothing but the graph's keys).
std::vector<std::string> Persisted(const GraphModel& model) {
  ProfileFile file("");
  WriteOptionsSections(model, file);
  return Lines(file.ToText());
}

GraphModel Loaded(const std::string& text, bool loadAll = true) {
  TempDir dir;
  WriteFile(dir.File("o.ini"), text);
  GraphModel model = StartModel();
  model.LoadAllOptions = loadAll;
  LoadOptionsFile(model, dir.File("o.ini"));
  return model;
}

std::string CurveSection(int n, int symbolVisible, int lineVisible, const std::string& legend,
                         int color) {
  std::ostringstream s;
  s << "[Curve" << n << "]\nSymbol=" << n << "\nSymbolVisible=" << symbolVisible
    << "\nLineVisible=" << lineVisible << "\nLegendText=" << legend << "\nType=0\nColor=" << color
    << "\n";
  return s.str();
}

// The file a fresh installation saves, written out from the format's tables.
std::string StartFile() {
  std::string text = R"([Environment]
LoadAllOptions=0
AutoRepaint=1
OnlyCurves=0
BackGroundColor=14155735
StatusBarVisible=0
FindDataBlock=0
FitAxesToData=0
XColumn=
YColumns=
FitDirectionByKind=0
[Image]
Left=10
Top=10
Width=600
Height=500
Color=16777215
BorderVisible=1
BorderWidth=1
BorderColor=0
Smooth=0
[Title]
Text=Ellipsometry
Visible=1
Left=8
TitleLeftAuto=1
Top=8
TopAuto=1
FontName=Times New Roman
CharSet=0
FontSize=20
FontColor=0
Bold=1
Italic=0
Underline=0
[AxisX]
Visible=1
Minimum=300
Maximum=1000
Left=70
Length=500
Width=1
Color=0
TickVisible=1
TickLength=10
TickWidth=1
TickCount=7
TicklabelsVisible=1
TickLabelFontName=Times New Roman
TickLabelCharSet=0
TickLabelFontSize=10
TickLabelFontColor=0
TickLabelBold=1
TickLabelFontItalic=0
TickLabelFontUnderline=0
TickLabelDecDigits=0
TickLabelDistance=8
TitleVisible=1
Title=Wave length[nm]
TitleFontName=Times New Roman
TitleCharSet=0
TitleFontSize=12
TitleFontColor=0
Bold=1
Italic=0
Underline=0
TitleLeft=84
TitleLeftAuto=1
TitleTop=8
TopAuto=1
Logarithmic=0
[AxisY]
Visible=1
Minimum=-1
Maximum=3
Bottom=130
Length=280
Width=1
Color=0
TickVisible=1
TickLength=10
TickWidth=1
TickCount=4
TicklabelsVisible=1
TickLabelFontName=Times New Roman
TickLabelCharSet=0
TickLabelFontSize=10
TickLabelFontColor=0
TickLabelBold=1
TickLabelFontItalic=0
TickLabelFontUnderline=0
TickLabelDecDigits=2
TickLabelDistance=8
TitleVisible=1
Title=Tan(Psi),  Cos(Delta)
TitleFontName=Times New Roman
TitleCharSet=0
TitleFontSize=12
TitleFontColor=0
Bold=1
Italic=0
Underline=0
TitleLeft=28
TitleLeftAuto=1
TitleBottom=8
TitleBottomAuto=1
Logarithmic=0
[Curves]
FontSize=8
DefaultSize=1
Width=1
)";
  text += CurveSection(1, 0, 1, "Tan(Psi)", 255);
  text += CurveSection(2, 0, 1, "Cos(Del)", 16711680);
  for (int n = 3; n <= 10; ++n) text += CurveSection(n, 1, 0, "", 0);
  text += R"([Legend]
Visible=1
Left=120
TitleLeftAuto=1
Top=40
TopAuto=1
FontName=Times New Roman
CharSet=0
FontSize=10
FontColor=0
Bold=0
Italic=0
Underline=0
[Text]
Text=Fig. 1 Ellipsometric spectrum (80 nm SiO2 on Si; Angle of incidence 70°).{TextInDataFile}
Left=8
Top=28
TitleLeftAuto=1
TopAuto=0
FontName=Times New Roman
CharSet=238
FontSize=12
Color=0
Bold=0
Italic=0
Underline=0
Visible=1
)";
  return text;
}

// A style in which keys whose defaults coincide get different values, so a key bound to the
// wrong field shows.
constexpr const char* kCustomFile = R"([Environment]
LoadAllOptions=1
AutoRepaint=0
OnlyCurves=1
BackGroundColor=123
StatusBarVisible=1
[Image]
Left=11
Top=12
BorderWidth=3
[Title]
Left=21
Top=22
TopAuto=0
[AxisX]
Minimum=0.5
Width=31
TickWidth=32
TickLength=33
TicklabelsVisible=0
TickLabelBold=0
TickLabelFontItalic=1
TickLabelDistance=34
Bold=0
Italic=1
TitleLeft=35
TitleTop=36
TopAuto=0
[AxisY]
Maximum=2.25
Bottom=41
TitleBottom=42
TitleBottomAuto=0
TickLabelFontUnderline=1
Underline=1
[Curves]
FontName=Wingdings
CharSet=77
FontSize=51
DefaultSize=0
Width=52
[Curve7]
Symbol=45
Type=1
[Legend]
Left=61
TitleLeftAuto=0
Top=62
FontColor=63
[Text]
Text=A|B
Color=71
CharSet=72
TopAuto=1
Visible=0
)";

TEST(OptionsFile, FreshSaveWritesEveryKeyInFormatOrder) {
  TempDir dir;
  SaveOptionsFile(StartModel(), dir.File("new.ini"));
  EXPECT_EQ(Lines(ReadFile(dir.File("new.ini"))), Lines(StartFile()));
}

TEST(OptionsFile, KeysBindToTheirOwnFields) {
  const GraphModel m = Loaded(kCustomFile);
  EXPECT_TRUE(m.LoadAllOptions);
  EXPECT_FALSE(m.AutoRepaint);
  EXPECT_TRUE(m.OnlyCurves);
  EXPECT_EQ(m.BackGroundColor, 123);
  EXPECT_TRUE(m.StatusBarVisible);
  EXPECT_EQ(m.ImageLeft, 11);
  EXPECT_EQ(m.ImageTop, 12);
  EXPECT_EQ(m.ImageBorderWidth, 3);
  EXPECT_EQ(m.Title.Left, 21);
  EXPECT_EQ(m.Title.Top, 22);
  EXPECT_FALSE(m.Title.TopAuto);
  EXPECT_TRUE(m.Title.LeftAuto);

  const TMyAxis& x = m.AxisX;
  EXPECT_EQ(static_cast<long double>(x.Minimum), 0.5);
  EXPECT_EQ(x.Width, 31);
  EXPECT_EQ(x.TickWidth, 32);
  EXPECT_EQ(x.TickLength, 33);
  EXPECT_FALSE(x.TickLabels.Visible);
  EXPECT_FALSE(x.TickLabels.Font.Bold);
  EXPECT_TRUE(x.TickLabels.Font.Italic);
  EXPECT_EQ(x.TickLabels.Distance, 34);
  EXPECT_FALSE(x.Title.Font.Bold);
  EXPECT_TRUE(x.Title.Font.Italic);
  EXPECT_EQ(x.Title.Left, 35);
  EXPECT_EQ(x.Title.Top, 36);
  EXPECT_FALSE(x.Title.TopAuto);

  const TMyAxis& y = m.AxisY;
  EXPECT_EQ(static_cast<long double>(y.Maximum), 2.25);
  EXPECT_EQ(y.Bottom, 41);
  EXPECT_EQ(y.Left, 0);
  EXPECT_EQ(y.Title.Top, 42);
  EXPECT_FALSE(y.Title.TopAuto);
  EXPECT_TRUE(y.TickLabels.Font.Underline);
  EXPECT_TRUE(y.Title.Font.Underline);
  EXPECT_TRUE(y.Title.Font.Bold);

  EXPECT_EQ(m.CurvesFont.Name, "Wingdings");
  EXPECT_EQ(m.CurvesFont.Charset, 77);
  EXPECT_EQ(m.CurvesFont.Size, 51);
  EXPECT_FALSE(m.DefaultSize);
  EXPECT_EQ(m.CurveLineWidth, 52);
  EXPECT_EQ(m.Curve[7].Symbol, 45);
  EXPECT_EQ(m.Curve[7].SymbolText, "a");
  EXPECT_EQ(m.Curve[7].Type, 1);
  EXPECT_EQ(m.Curve[6].Type, 0);

  EXPECT_EQ(m.Legend.Left, 61);
  EXPECT_FALSE(m.Legend.LeftAuto);
  EXPECT_EQ(m.Legend.Top, 62);
  EXPECT_EQ(m.Legend.Font.Color, 63);
  EXPECT_EQ(m.Text.Text, "A\r\nB");
  EXPECT_EQ(m.Text.Font.Color, 71);
  EXPECT_EQ(m.Text.Font.Charset, 72);
  EXPECT_TRUE(m.Text.TopAuto);
  EXPECT_FALSE(m.Text.Visible);
}

TEST(OptionsFile, SaveThenLoadReproducesThePersistedModel) {
  GraphModel original = Loaded(kCustomFile);
  original.Title.Text = "Title with \"quotes\" inside";
  original.Curve[3].LegendText = "Sample; 3";
  original.Text.Text = "first\r\n\r\nthird 100\xC2\xB0";
  original.AxisY.Minimum = Real48::From(-1e-7L);
  TempDir dir;
  SaveOptionsFile(original, dir.File("o.ini"));
  GraphModel copy = StartModel();
  copy.LoadAllOptions = true;
  LoadOptionsFile(copy, dir.File("o.ini"));
  EXPECT_EQ(Persisted(copy), Persisted(original));
  EXPECT_EQ(copy.Text.Text, original.Text.Text);
  EXPECT_EQ(static_cast<long double>(copy.AxisY.Minimum),
            static_cast<long double>(original.AxisY.Minimum));
}

TEST(OptionsFile, OnlyImageWidthResetsEveryOtherSettingToStart) {
  TempDir dir;
  WriteFile(dir.File("o.ini"), "[Image]\r\nWidth=800\r\n");
  GraphModel m = Loaded(kCustomFile);
  LoadOptionsFile(m, dir.File("o.ini"));
  GraphModel expected = StartModel();
  expected.ImageWidth = 800;
  EXPECT_EQ(Persisted(m), Persisted(expected));
  EXPECT_EQ(m.CurvesFont, expected.CurvesFont);
  EXPECT_EQ(m.Curve[7].SymbolText, expected.Curve[7].SymbolText);
}

TEST(OptionsFile, MissingFileResetsTheStyleAndTurnsTheSwitchOff) {
  GraphModel m = Loaded(kCustomFile);
  LoadOptionsFile(m, "/nonexistent/kurvex/options.ini");
  EXPECT_EQ(Persisted(m), Persisted(StartModel()));
  EXPECT_FALSE(m.LoadAllOptions);
}

TEST(OptionsFile, SwitchDecidesWhetherEnvironmentIsRead) {
  TempDir dir;
  WriteFile(dir.File("off.ini"), "[Environment]\nLoadAllOptions=0\nAutoRepaint=0\n");
  GraphModel m = StartModel();
  LoadOptionsFile(m, dir.File("off.ini"));
  EXPECT_TRUE(m.AutoRepaint) << "switch off: Environment is skipped";

  m.LoadAllOptions = true;
  LoadOptionsFile(m, dir.File("off.ini"));
  EXPECT_FALSE(m.AutoRepaint);
  EXPECT_FALSE(m.LoadAllOptions) << "the file's value replaces the switch";

  m.AutoRepaint = true;
  LoadOptionsFile(m, dir.File("off.ini"));
  EXPECT_TRUE(m.AutoRepaint) << "the switch stays off for the next load";
}

TEST(OptionsFile, TextBlockLineBreaksTravelAsBars) {
  GraphModel m = StartModel();
  m.Text.Text = "A\r\nB";
  TempDir dir;
  SaveOptionsFile(m, dir.File("o.ini"));
  EXPECT_THAT(ReadFile(dir.File("o.ini")), HasSubstr("\nText=A|B\r\n"));

  m.Text.Text = "x|y\nlone\rend";  // a typed bar, and breaks from elsewhere
  SaveOptionsFile(m, dir.File("o.ini"));
  EXPECT_THAT(ReadFile(dir.File("o.ini")), HasSubstr("\nText=x|y|lone|end\r\n"));
  GraphModel back = StartModel();
  LoadOptionsFile(back, dir.File("o.ini"));
  EXPECT_EQ(back.Text.Text, "x\r\ny\r\nlone\r\nend");
}

TEST(OptionsFile, FloatsAreWrittenAsTheStoredRealWithFifteenDigits) {
  GraphModel m = StartModel();
  m.AxisX.Minimum = Real48::From(0.1L);
  m.AxisX.Maximum = Real48::From(1e15L);
  m.AxisY.Minimum = Real48::From(0.0001L);
  TempDir dir;
  SaveOptionsFile(m, dir.File("o.ini"));
  const std::string text = ReadFile(dir.File("o.ini"));
  EXPECT_THAT(text, HasSubstr("Minimum=0.100000000000023\r\n"));
  EXPECT_THAT(text, HasSubstr("Maximum=1E15\r\n"));
  EXPECT_THAT(text, HasSubstr("Minimum=9.9999999999989E-5\r\n"));
  EXPECT_THAT(text, HasSubstr("Maximum=3\r\n"));
}

TEST(OptionsFile, ValuesAreReadWithTheProfileRules) {
  const GraphModel m = Loaded(
      "[image]\ncolor=0xFF\nBorderVisible=2\nwidth = \"640\"\n"
      "[Legend]\nBold=yes\nVisible=yes\nFontSize=big\n"
      "[Title]\nText=\"\"\n"
      "[Text]\nText=" +
      std::string(2000, 'x') + "\n");
  EXPECT_EQ(m.Title.Text, "");  // empty between quotes is empty, not the default
  EXPECT_EQ(m.ImageColor, 255);
  EXPECT_TRUE(m.ImageBorderVisible);
  EXPECT_EQ(m.ImageWidth, 640);
  EXPECT_FALSE(m.Legend.Font.Bold);
  EXPECT_TRUE(m.Legend.Visible);
  EXPECT_EQ(m.Legend.Font.Size, 10);
  EXPECT_EQ(m.Text.Text, std::string(1023, 'x'));
}

// A style file moves between machines: either decimal separator reads, whatever the locale.
TEST(OptionsFile, FloatsReadWithPointOrCommaInAnyLocale) {
  GraphModel saved = StartModel();
  saved.AxisX.Minimum = Real48::From(300.5L);
  saved.AxisY.Maximum = Real48::From(-2.25L);
  saved.Legend.Left = 5;
  TempDir dir;
  for (const char writer : {',', '.'}) {
    SetDecimalSeparator(writer);
    SaveOptionsFile(saved, dir.File("style.ini"));
    EXPECT_THAT(ReadFile(dir.File("style.ini")),
                HasSubstr(std::string("Minimum=300") + writer + "5\r\n"));
    SetDecimalSeparator(writer == ',' ? '.' : ',');
    GraphModel m = StartModel();
    LoadOptionsFile(m, dir.File("style.ini"));
    EXPECT_EQ(static_cast<long double>(m.AxisX.Minimum), 300.5L) << writer;
    EXPECT_EQ(static_cast<long double>(m.AxisY.Maximum), -2.25L) << writer;
    EXPECT_EQ(m.Legend.Left, 5);
  }
  SetDecimalSeparator(0);
}

TEST(OptionsFile, FloatThatDoesNotParseStopsTheLoadAtThatKey) {
  TempDir dir;
  WriteFile(dir.File("bad.ini"),
            "[Image]\nWidth=700\n[AxisX]\nVisible=0\nMinimum=300;5\nMaximum=2.5\nLeft=9\n"
            "[Legend]\nLeft=5\n");
  GraphModel m = StartModel();
  m.AxisX.Left = 99;
  m.Legend.Left = 77;
  try {
    LoadOptionsFile(m, dir.File("bad.ini"));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "[AxisX] Minimum=300;5: '300;5' is not a valid floating point value");
  }
  EXPECT_EQ(m.ImageWidth, 700);
  EXPECT_FALSE(m.AxisX.Visible);
  EXPECT_EQ(static_cast<long double>(m.AxisX.Minimum), 300);
  EXPECT_EQ(static_cast<long double>(m.AxisX.Maximum), 1000);
  EXPECT_EQ(m.AxisX.Left, 99);
  EXPECT_EQ(m.Legend.Left, 77);
}

// Processing is written after every older section, and only while it does something: a style
// without it reads and writes as before, and turning it all off takes the section out again.
TEST(OptionsFile, ProcessingSectionRoundTripsAndIsAbsentWhenOff) {
  TempDir dir;
  const std::string path = dir.File("p.ini");
  SaveOptionsFile(StartModel(), path);
  const std::string before = ReadFile(path);
  GraphModel m = StartModel();
  LoadOptionsFile(m, path);
  EXPECT_EQ(m.Processing, TProcessing{});

  TProcessing& p = m.Processing;
  p.Normalize = 3;
  p.NormalizeAt = 1234.5;
  p.Offset = -0.25;
  p.Stack = true;
  p.StackStep = 0.1;
  p.Baseline = 2;
  p.BaselineX1 = 400;
  p.BaselineX2 = 3999.875;
  p.BaselineDegree = 4;
  p.BaselinePoints = {450.5, 1e-5, 3000};
  p.ShowBaseline = true;
  p.Smooth = true;
  p.SmoothWindow = 11;
  p.SmoothOrder = 3;
  p.Derivative = 2;
  SaveOptionsFile(m, path);
  const std::string text = ReadFile(path);
  EXPECT_THAT(text, HasSubstr("[Text]"));
  EXPECT_GT(text.find("[Processing]\r\nNormalize=3\r\nNormalizeAt=1234.5\r\nOffset=-0.25\r\n"),
            text.find("[Text]"));
  EXPECT_THAT(text, HasSubstr("BaselinePoints=450.5;1E-5;3000\r\n"));
  GraphModel copy = StartModel();
  LoadOptionsFile(copy, path);
  EXPECT_EQ(copy.Processing, m.Processing);

  m.Processing = {};
  SaveOptionsFile(m, path);
  EXPECT_EQ(ReadFile(path), before);

  WriteFile(path, "[Processing]\nSmooth=1\nBaselinePoints=1; 2;x;3\nDerivative=1\n");
  try {
    LoadOptionsFile(copy, path);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(),
                 "[Processing] BaselinePoints=1; 2;x;3: 'x' is not a valid floating point value");
  }
  EXPECT_TRUE(copy.Processing.Smooth);
  EXPECT_THROW(CheckOptionValue("processing", "normalizeat", "1e999"), Error);
}

// The first load of a run has no working style to keep: the failing key and all after it take
// their defaults, so the graph still shows a usable style.
TEST(OptionsFile, FailedFirstLoadGivesTheLaterKeysTheirDefaults) {
  TempDir dir;
  WriteFile(dir.File("bad.ini"),
            "[Image]\nWidth=700\n[AxisX]\nVisible=0\nMinimum=abc\nLeft=9\n[Legend]\nLeft=5\n"
            "[Curve3]\nSymbol=1\n");
  GraphModel m;  // all zero, as before the first load
  m.LoadAllOptions = true;
  EXPECT_THROW_MESSAGE(LoadOptionsFile(m, dir.File("bad.ini"), AfterFailure::kDefaults), Error,
                       "[AxisX] Minimum=abc: 'abc' is not a valid floating point value");
  const GraphModel start = StartModel();
  EXPECT_EQ(m.ImageWidth, 700);
  EXPECT_FALSE(m.AxisX.Visible);
  EXPECT_EQ(static_cast<long double>(m.AxisX.Minimum), 300);
  EXPECT_EQ(static_cast<long double>(m.AxisY.Maximum), 3);
  EXPECT_EQ(m.AxisX.Left, start.AxisX.Left);
  EXPECT_EQ(m.Legend.Left, start.Legend.Left);
  EXPECT_EQ(m.Text.Text, start.Text.Text);
  EXPECT_EQ(m.Curve[3].Symbol, 3);
  EXPECT_EQ(m.Curve[3].SymbolText, start.Curve[3].SymbolText);
}

TEST(OptionsFile, FloatBeyondTheRealRangeOverflows) {
  GraphModel m = StartModel();
  m.AxisY.Minimum = Real48::From(-5);
  TempDir dir;
  WriteFile(dir.File("o.ini"), "[AxisY]\nMinimum=1E39\n[AxisX]\nMinimum=1E-40\n");
  EXPECT_THROW_MESSAGE(LoadOptionsFile(m, dir.File("o.ini")), Error,
                       "[AxisY] Minimum=1E39: Floating point overflow");
  EXPECT_EQ(static_cast<long double>(m.AxisX.Minimum), 0) << "too small becomes 0";
  EXPECT_EQ(static_cast<long double>(m.AxisY.Minimum), -5);
}

TEST(OptionsFile, SavingOverAFileKeepsKeysTheGraphDoesNotWrite) {
  TempDir dir;
  WriteFile(dir.File("o.ini"),
            "[Environment]\r\nAutoSaveOptions=1\r\n[Data]\r\nDataPath=/home/me\r\n"
            "[Curves]\r\nFontName=Symbol Pi\r\nFontSize=3\r\n");
  SaveOptionsFile(StartModel(), dir.File("o.ini"));
  const std::string text = ReadFile(dir.File("o.ini"));
  EXPECT_THAT(text, HasSubstr("AutoSaveOptions=1\r\n"));
  EXPECT_THAT(text, HasSubstr("[Data]\r\nDataPath=/home/me\r\n"));
  EXPECT_THAT(text, HasSubstr("[Curves]\r\nFontName=Symbol Pi\r\nFontSize=8\r\n"));
  const std::size_t curves = text.find("[Curves]");
  EXPECT_THAT(text.substr(curves, text.find('[', curves + 1) - curves), Not(HasSubstr("CharSet")));
}

TEST(OptionsFile, FailedSaveReportsTheFileAndLeavesTheOldOneWhole) {
  TempDir dir;
  const std::string path = dir.File("o.ini");
  const std::string old = "[Image]\r\nWidth=800\r\n";
  WriteFile(path, old);
  // A file-size limit makes the write fail even for a privileged user.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &tight);
  std::string message;
  try {
    SaveOptionsFile(StartModel(), path);
  } catch (const Error& e) {
    message = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(message, "Unable to write to " + path + ": File too large");
  EXPECT_EQ(ReadFile(path), old);

  EXPECT_THROW_MESSAGE(
      SaveOptionsFile(StartModel(), dir.File("missing/o.ini")), Error,
      "Unable to write to " + dir.File("missing/o.ini") + ": No such file or directory");
}

TEST(OptionsFile, MalformedFilesLoadWithoutHarm) {
  std::string many;
  for (int i = 0; i < 5000; ++i) many += "[Section" + std::to_string(i) + "]\nKey=" + "v\n";
  many += "[Image]\nWidth=321\n[Image]\nWidth=999\n";
  EXPECT_EQ(Loaded(many).ImageWidth, 321) << "the first matching section counts";

  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) % 256);
  const char tail[] = "\n[Image\nWidth\n=5\n[]\n\0\0[Legend]\nLeft=\0\n";
  garbage.append(tail, sizeof tail - 1);
  const GraphModel m = Loaded(garbage);
  EXPECT_EQ(m.ImageWidth, 600);
}

}  // namespace
}  // namespace kurvex
