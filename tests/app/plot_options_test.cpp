#include "app/plot_options.h"
#include "support/expect_message.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kurvex {
namespace {

PlotOptions Parse(std::vector<std::string> args) {
  return ParsePlotArguments(args);
}

TEST(PlotArguments, ReadsEveryOption) {
  const PlotOptions o =
      Parse({"--options", "a.ini", "--set", "AxisX.Minimum=0.1", "--set", "Text.Text=A|B=C",
             "--output", "out", "--format", "PNG", "--overlay", "--save-options", "s.ini",
             "--print-data", "--print-head", "--scale", "4", "one.xy", "two.xy"});
  EXPECT_EQ(o.OptionsFile, "a.ini");
  ASSERT_EQ(o.Settings.size(), 2u);
  EXPECT_EQ(o.Settings[0].Section, "AxisX");
  EXPECT_EQ(o.Settings[0].Key, "Minimum");
  EXPECT_EQ(o.Settings[0].Value, "0.1");
  EXPECT_EQ(o.Settings[1].Value, "A|B=C");  // only the first "=" separates
  EXPECT_EQ(o.Output, "out");
  EXPECT_EQ(o.Format, "png");
  EXPECT_TRUE(o.Overlay && o.PrintData && o.PrintHead);
  EXPECT_EQ(o.SaveOptions, "s.ini");
  EXPECT_EQ(o.Scale, 4);
  EXPECT_EQ(o.DataFiles, (std::vector<std::string>{"one.xy", "two.xy"}));
}

TEST(PlotArguments, RejectsBadUsageWithAReason) {
  EXPECT_THROW_MESSAGE(Parse({"--set", "NoDot=1"}), std::invalid_argument,
                       "--set needs Section.Key=VALUE, got 'NoDot=1'");
  EXPECT_THROW_MESSAGE(Parse({"--set", "Section.Key"}), std::invalid_argument,
                       "--set needs Section.Key=VALUE, got 'Section.Key'");
  EXPECT_THROW_MESSAGE(Parse({"--set", ".Key=1"}), std::invalid_argument,
                       "--set needs Section.Key=VALUE, got '.Key=1'");
  EXPECT_THROW_MESSAGE(Parse({"--set", "Section.=1"}), std::invalid_argument,
                       "--set needs Section.Key=VALUE, got 'Section.=1'");
  EXPECT_THROW_MESSAGE(Parse({"--output", "pics.png", "one.xy", "two.xy"}), std::invalid_argument,
                       "--output pics.png names one image, but each data file gives its own image");
  EXPECT_THROW_MESSAGE(Parse({"--format", "gif"}), std::invalid_argument,
                       "--format must be bmp, png, svg or pdf, got 'gif'");
  EXPECT_THROW_MESSAGE(Parse({"--output"}), std::invalid_argument, "--output needs a value");
  EXPECT_THROW_MESSAGE(Parse({"--bogus"}), std::invalid_argument, "unknown option --bogus");
  for (const char* scale : {"0", "9", "2x", ""}) {
    EXPECT_THROW_MESSAGE(
        Parse({"--scale", scale}), std::invalid_argument,
        std::string("--scale must be a whole number from 1 to 8, got '") + scale + "'");
  }
  EXPECT_EQ(Parse({"--", "--odd-name.xy"}).DataFiles.front(), "--odd-name.xy");
}

TEST(PlotArguments, FitAndColumns) {
  struct Case {
    std::vector<std::string> args;
    bool fitX, fitY;
    std::vector<std::string> columns;
  };
  const Case good[] = {
      {{"--fit", "x"}, true, false, {}},
      {{"--fit", "Y"}, false, true, {}},
      {{"--fit", "xy", "--columns", "2,3"}, true, true, {"2", "3"}},
      {{"--no-fit", "--columns", "3,1,12,4"}, false, false, {"3", "1", "12", "4"}},
      {{"--columns", "Raman Shift, Intensity"}, true, true, {"Raman Shift", "Intensity"}},
      {{"--columns", "2Theta,1412092U1 f1"}, true, true, {"2Theta", "1412092U1 f1"}},
      {{"--no-fit", "--columns", "1,2,3,4,5,6,7,8,9,10,11"},
       false,
       false,
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}},
      // Without a style or a typed range both axes follow the data; with either, they stay.
      {{"run.xy"}, true, true, {}},
      {{"--set", "axisy.maximum=3", "run.xy"}, false, false, {}},
      {{"--options", "s.ini", "run.xy"}, false, false, {}},
      {{"--set", "AxisX.TickCount=4", "run.xy"}, true, true, {}},
  };
  for (const Case& c : good) {
    const PlotOptions o = Parse(c.args);
    EXPECT_EQ(o.FitX, c.fitX);
    EXPECT_EQ(o.FitY, c.fitY);
    EXPECT_EQ(o.Columns, c.columns);
  }
  for (const char* bad : {"", "2", "0,1", "1,,2", "1,2,", "a", "-1,2", "1;2", "1.5,2",
                          "1,2,3,4,5,6,7,8,9,10,11,12"}) {
    EXPECT_THROW_MESSAGE(Parse({"--columns", bad}), std::invalid_argument,
                         std::string("--columns needs X,Y1[,Y2...] (column numbers from 1 or "
                                     "names, up to 11), got '") +
                             bad + "'");
  }
  for (const char* bad : {"", "z", "yx", "xyz"}) {
    EXPECT_THROW_MESSAGE(Parse({"--fit", bad}), std::invalid_argument,
                         std::string("--fit must be x, y or xy, got '") + bad + "'");
  }
  EXPECT_THROW_MESSAGE(Parse({"--fit", "x", "--no-fit"}), std::invalid_argument,
                       "--fit and --no-fit exclude each other");
}

TEST(PlotArguments, ImagePathsFollowTheDataFileNames) {
  PlotOptions o = Parse({"run.1.xy"});
  EXPECT_EQ(ImagePathFor(o, "dir/run.1.xy"), "run.1.bmp");
  o = Parse({"--output", "img", "--format", "png", "a/data", "b/x.txt"});
  EXPECT_EQ(ImagePathFor(o, "a/data"), "img/data.png");
  EXPECT_EQ(ImagePathFor(o, "b/x.txt"), "img/x.png");
  o = Parse({"--output", "pic.PNG", "one.xy"});
  EXPECT_EQ(ImagePathFor(o, "one.xy"), "pic.PNG");
  EXPECT_EQ(ImageFormatFor(o, "pic.PNG"), "png");
  EXPECT_EQ(OutputFolder(o), "");
  o = Parse({"--output", "out/sub/pic.bmp", "one.xy"});
  EXPECT_EQ(OutputFolder(o), "out/sub/");
  o = Parse({"--overlay", "--output", "pics.png", "one.xy", "two.xy"});  // one picture
  EXPECT_EQ(ImagePathFor(o, "one.xy"), "pics.png");
  EXPECT_EQ(OutputFolder(o), "");
}

// A value the key cannot take would silently give the default: a usage error naming the key.
TEST(PlotArguments, SettingsMustFitTheKindOfTheirKey) {
  struct Case {
    const char* setting;
    const char* message;  // empty: accepted
  };
  for (const Case& c : {
           Case{"Image.Width=abc", "--set Image.Width=abc: 'abc' is not a valid integer value"},
           Case{"image.width=99999999999",
                "--set image.width=99999999999: '99999999999' is not a valid integer value"},
           Case{"Legend.Visible=yes",
                "--set Legend.Visible=yes: 'yes' is not a valid integer value"},
           Case{"AxisY.Maximum=1e99", "--set AxisY.Maximum=1e99: Floating point overflow"},
           Case{"AxisX.Minimum=x",
                "--set AxisX.Minimum=x: 'x' is not a valid floating point value"},
           Case{"Image.Width=0x20", ""},
           Case{"Legend.Visible=2", ""},
           Case{"AxisX.Minimum=300,5", ""},
           Case{"Title.Text=yes", ""},
           Case{"Unknown.Key=anything", ""},
       }) {
    try {
      Parse({"--set", c.setting});
      EXPECT_STREQ(c.message, "") << c.setting;
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace kurvex
