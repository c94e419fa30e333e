#include "app/kurvex_args.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kurvex {
namespace {

using Args = std::vector<std::string>;

TEST(KurvexArguments, DataFilesPassOverQtsOwnOptions) {
  struct Case {
    Args args;
    Args files;
  };
  const Case cases[] = {
      {{}, {}},
      {{"si.xy", "b.xy"}, {"si.xy", "b.xy"}},
      {{"-platform", "offscreen", "si.xy"}, {"si.xy"}},
      {{"--platform", "xcb", "-style=fusion", "-reverse", "a.xy"}, {"a.xy"}},
      {{"-display", ":1", "-qwindowgeometry", "800x600", "-sync"}, {}},
      {{"-", "--", "-odd.xy", "--help"}, {"-", "-odd.xy", "--help"}},
  };
  for (const Case& c : cases) {
    const KurvexArguments parsed = ParseKurvexArguments(c.args);
    EXPECT_EQ(parsed.DataFiles, c.files) << testing::PrintToString(c.args);
    EXPECT_FALSE(parsed.Help || parsed.Version);
  }
  EXPECT_TRUE(ParseKurvexArguments({"x.xy", "--help"}).Help);
  EXPECT_TRUE(ParseKurvexArguments({"-h"}).Help);
  EXPECT_TRUE(ParseKurvexArguments({"--version"}).Version);
}

TEST(KurvexArguments, UnknownOptionsAndMissingValuesNameTheFault) {
  const std::pair<Args, std::string> cases[] = {
      {{"--bogus"}, "unknown option --bogus"},
      {{"-x", "a.xy"}, "unknown option -x"},
      {{"-reverse=1"}, "unknown option -reverse=1"},
      {{"--versions"}, "unknown option --versions"},
      {{"a.xy", "-platform"}, "-platform needs a value"},
  };
  for (const auto& [args, message] : cases) {
    try {
      ParseKurvexArguments(args);
      ADD_FAILURE() << "accepted " << args.front();
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

}  // namespace
}  // namespace kurvex
