#include "graph/placeholders.h"

#include <gtest/gtest.h>

#include "graph/data/column_names.h"

namespace kurvex {
namespace {

using Names = std::vector<std::string>;

// The head lines instruments write above their numbers, and what a title can take from them.
TEST(ColumnNames, ComeFromTheLastHeadLineWhenItNamesEveryColumn) {
  struct Case {
    const char* head;
    std::size_t columns;
    Names names;
  };
  const Case cases[] = {
      {"Sample A\r\nWavenumber (cm-1);Transmittance (%)",
       2,
       {"Wavenumber (cm-1)", "Transmittance (%)"}},
      {"\"Wavelength (nm)\",\"Abs\"", 2, {"Wavelength (nm)", "Abs"}},
      {"2Theta\tIntensity\tBackground", 3, {"2Theta", "Intensity", "Background"}},
      {"Energy (eV) Counts", 2, {}},  // blanks would give three names for two columns
      {"E Counts", 2, {"E", "Counts"}},
      {"300 400", 2, {}},  // numbers name nothing
      {"x;y;z", 2, {}},
      {"", 2, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ColumnNames(c.head, c.columns), c.names) << c.head;
}

TEST(Placeholders, EveryTextCanNameTheFileAndItsColumns) {
  const Names columns = {"Wavenumber (cm-1)", "T"};
  DataNames names;
  names.FileName = "ir.csv";
  names.HeadText = "Run 7";
  names.Columns = &columns;
  names.XTitle = "Wavenumber (cm-1)";
  names.YTitle = "T";
  const std::pair<const char*, const char*> cases[] = {
      {"{YTitle} against {XTitle}", "T against Wavenumber (cm-1)"},
      {"{Column2} of {DataFile}: {TextInDataFile}", "T of ir.csv: Run 7"},
      {"{Column3}|{Column11}|", "||"},  // columns the file lacks are empty
      {"{Column0} {Column12} {Column1", "{Column0} {Column12} {Column1"},
      {"{{Column1}}", "{Wavenumber (cm-1)}"},
  };
  for (const auto& [text, expanded] : cases) EXPECT_EQ(ExpandPlaceholders(text, names), expanded);
  EXPECT_TRUE(HasPlaceholder("Fig. {Column1}"));
  EXPECT_FALSE(HasPlaceholder("{Column12} {x}"));
}

}  // namespace
}  // namespace kurvex
