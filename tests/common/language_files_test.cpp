#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/ini_file.h"
#include "common/text_file.h"

namespace kurvex {
namespace {

const std::string kLocalize = KURVEX_LOCALIZE_DIR;

// The tree items that show a page; moving onto one by keyboard must show it, so its caption
// may not be part of the words whose items act.
const char* const kPageItems[] = {
    "Data",   "Graph",  "Title", "AxisX",       "AxisTitle", "Values", "Line",      "AxisY",
    "Curves", "Legend", "Text",  "Environment", "About",     "Manual", "FastStart", "Log"};
const char* const kActionWords[] = {"Repaint",   "Default", "LoadIni",
                                    "LoadOther", "SaveIni", "SaveOther"};

// Section and key of every value the English file holds, in file order.
std::vector<std::pair<std::string, std::string>> KeysOf(const std::string& path) {
  std::vector<std::pair<std::string, std::string>> keys;
  std::string section;
  for (const std::string& line : SplitLines(ReadTextFile(path).value_or(""))) {
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (const auto equals = line.find('='); equals != std::string::npos) {
      keys.emplace_back(section, line.substr(0, equals));
    }
  }
  return keys;
}

class ShippedLanguage : public ::testing::TestWithParam<const char*> {
 protected:
  ProfileFile file_{kLocalize + "/" + GetParam() + ".ini"};
};

TEST_P(ShippedLanguage, KeepsEveryTreeItemReachable) {
  // The Text item finds its page by its caption.
  EXPECT_EQ(file_.ReadString("Tree", "Text", ""), "Text");
  std::string actions;
  for (const char* key : kActionWords) actions += file_.ReadString("Tree", key, "");
  for (const char* key : kPageItems) {
    const std::string caption = file_.ReadString("Tree", key, "");
    EXPECT_FALSE(caption.empty()) << key;
    EXPECT_EQ(actions.find(caption), std::string::npos) << key << " = " << caption;
  }
}

TEST_P(ShippedLanguage, TranslatesEveryEnglishKey) {
  const auto keys = KeysOf(kLocalize + "/English.ini");
  ASSERT_GE(keys.size(), 80u);  // the English file was found and read
  for (const auto& [section, key] : keys) {
    EXPECT_NE(file_.ReadString(section, key, ""), "") << section << "." << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Localize, ShippedLanguage,
                         ::testing::Values("English", "Slovensky", "Cesky"));

}  // namespace
}  // namespace kurvex
