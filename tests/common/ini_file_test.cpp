#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/error.h"
#include "common/text_file.h"
#include "common/utf8.h"
#include "temp_dir.h"

namespace kurvex {
namespace {

class Profile : public ::testing::Test {
 protected:
  // A profile read from a file holding `text`.
  ProfileFile Load(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
    return ProfileFile(path_);
  }

  test::TempDir dir_;
  std::string path_ = dir_.File("Kurvex.ini");
};

TEST_F(Profile, MissingFileIsAnEmptyProfile) {
  const ProfileFile profile(dir_.File("none.ini"));
  EXPECT_EQ(profile.Path(), dir_.File("none.ini"));
  EXPECT_EQ(profile.ReadString("Title", "Text", "Ellipsometry"), "Ellipsometry");
  EXPECT_EQ(profile.ReadInteger("Image", "Width", 600), 600);
  EXPECT_TRUE(profile.ReadBool("Image", "BorderVisible", true));
  EXPECT_EQ(profile.ToText(), "");
}

TEST_F(Profile, NamesMatchWithoutCaseAndTheFirstMatchCounts) {
  const ProfileFile profile = Load(
      "Top=outside any section\r\n"
      "  [ Image ]  \r\n"
      "; Width=1\r\n"
      "no equals sign\r\n"
      "  WIDTH = 800 \r\n"
      "width=900\r\n"
      "[image]\r\n"
      "Width=1000\r\n"
      "Height=5\r\n");
  EXPECT_EQ(profile.ReadInteger("IMAGE", "width", 0), 800);
  EXPECT_EQ(profile.ReadInteger("Image", "Height", -1), -1);  // only in the second [image]
  EXPECT_EQ(profile.ReadString("Image", "Top", "dflt"), "dflt");
  EXPECT_EQ(profile.ReadString("Image", "no equals sign", "dflt"), "dflt");
}

TEST_F(Profile, ValuesLoseBlanksAndOnePairOfQuotes) {
  const ProfileFile profile = Load(
      "[T]\n"
      "a=\t \"quoted text\"  \n"
      "b='single'\n"
      "c=\"\"twice\"\"\n"
      "d=\"unmatched'\n"
      "e=\"\n"
      "f=\n"
      "g=\"\"\n");
  EXPECT_EQ(profile.ReadString("T", "a", ""), "quoted text");
  EXPECT_EQ(profile.ReadString("T", "b", ""), "single");
  EXPECT_EQ(profile.ReadString("T", "c", ""), "\"twice\"");
  EXPECT_EQ(profile.ReadString("T", "d", ""), "\"unmatched'");
  EXPECT_EQ(profile.ReadString("T", "e", ""), "\"");
  EXPECT_EQ(profile.ReadString("T", "f", "dflt"), "");
  EXPECT_EQ(profile.ReadString("T", "g", "dflt"), "");
}

// Values that reading would trim or unquote are written in quotes; all others as they are.
TEST_F(Profile, EveryValueSurvivesASaveAndALoad) {
  ProfileFile profile(path_);
  const std::vector<std::pair<std::string, std::string>> values = {
      {"a", "  indented"}, {"b", "trailing\t"}, {"c", " "},    {"d", "\"quoted\""},
      {"e", "'single'"},   {"f", "\""},         {"g", "'"},    {"h", "\"x'"},
      {"i", ""},           {"j", "a \"b\" c"},  {"k", "plain"}};
  for (const auto& [key, value] : values) profile.WriteString("T", key, value);
  profile.Save();
  const ProfileFile loaded(path_);
  for (const auto& [key, value] : values) {
    EXPECT_EQ(loaded.ReadString("T", key, "dflt"), value) << value;
  }
  EXPECT_NE(profile.ToText().find("k=plain\r\n"), std::string::npos);
  EXPECT_NE(profile.ToText().find("j=a \"b\" c\r\n"), std::string::npos);
}

TEST_F(Profile, ValuesAreCutAt1023CharactersNotBytes) {
  std::string longText;
  for (int i = 0; i < 600; ++i) longText += "ôa";
  const std::string value = Load("[Text]\nText=" + longText + "\n").ReadString("Text", "Text", "");
  EXPECT_EQ(Utf8Length(value), 1023u);
  EXPECT_TRUE(IsValidUtf8(value));
  EXPECT_EQ(value, longText.substr(0, 511 * 3 + 2));
}

TEST_F(Profile, IntegersAreDecimalOrHexadecimalElseTheDefault) {
  const ProfileFile profile = Load(
      "[N]\nhex=0xFF\nHEX=ignored\nX=0X10\ndollar=$10\nneg=-5\nbare=0x\nword=yes\n"
      "two=2\nzero=0\nbig=99999999999\nmixed=12abc\nquoted=\"7\"\n");
  EXPECT_EQ(profile.ReadInteger("N", "hex", 0), 255);
  EXPECT_EQ(profile.ReadInteger("N", "x", 0), 16);
  EXPECT_EQ(profile.ReadInteger("N", "dollar", 0), 16);
  EXPECT_EQ(profile.ReadInteger("N", "neg", 0), -5);
  EXPECT_EQ(profile.ReadInteger("N", "quoted", 0), 7);
  for (const char* key : {"bare", "word", "big", "mixed"}) {
    EXPECT_EQ(profile.ReadInteger("N", key, 42), 42) << key;
  }
  EXPECT_TRUE(profile.ReadBool("N", "two", false));
  EXPECT_FALSE(profile.ReadBool("N", "zero", true));
  EXPECT_TRUE(profile.ReadBool("N", "word", true));
  EXPECT_FALSE(profile.ReadBool("N", "word", false));
}

TEST_F(Profile, WritesReplaceInPlaceAndAppendToTheirSection) {
  ProfileFile profile = Load(
      "; hand-written head\r\n"
      "[Curves]\r\n"
      "FontName=MT Symbol\r\n"
      "FONTSIZE = 8\r\n"
      "; trailing comment\r\n"
      "\r\n"
      "[Legend]\r\n"
      "Visible=1\r\n");
  profile.WriteInteger("curves", "FontSize", 12);
  profile.WriteBool("Curves", "DefaultSize", true);
  profile.WriteBool("Legend", "Visible", false);
  profile.WriteString("Text", "Text", "A|B");
  EXPECT_EQ(profile.ToText(),
            "; hand-written head\r\n"
            "[Curves]\r\n"
            "FontName=MT Symbol\r\n"
            "FONTSIZE =12\r\n"
            "DefaultSize=1\r\n"
            "; trailing comment\r\n"
            "\r\n"
            "[Legend]\r\n"
            "Visible=0\r\n"
            "\r\n"
            "[Text]\r\n"
            "Text=A|B\r\n");
  EXPECT_EQ(profile.ReadInteger("Legend", "Visible", 1), 0);
  EXPECT_EQ(profile.ReadString("Text", "Text", ""), "A|B");
}

TEST_F(Profile, NewFileListsSectionsInWriteOrderAndSurvivesASave) {
  ProfileFile profile(path_);
  profile.WriteString("Environment", "LoadAllOptions", "1");
  profile.WriteString("Image", "Width", "600");
  profile.WriteString("Environment", "AutoRepaint", "1");
  profile.WriteString("Title", "Text", "Line\r\nbreak");
  EXPECT_EQ(profile.ToText(),
            "[Environment]\r\nLoadAllOptions=1\r\nAutoRepaint=1\r\n\r\n"
            "[Image]\r\nWidth=600\r\n\r\n"
            "[Title]\r\nText=Line  break\r\n");
  profile.Save();
  const ProfileFile again(path_);
  EXPECT_EQ(again.ToText(), profile.ToText());
  EXPECT_EQ(again.ReadInteger("image", "width", 0), 600);
}

TEST_F(Profile, ReadsWindows1250Files) {
  const ProfileFile profile = Load("[Caption]\r\nTitle=\x8Elt\xFD k\xF4\xF2\r\n");
  EXPECT_EQ(profile.ReadString("Caption", "Title", ""), "Žltý kôň");
}

TEST_F(Profile, BytesReadAsTheSameFileWould) {
  const std::string utf16 = std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x7D\x01\r\0\n\0", 22);
  for (const std::string& bytes : {std::string("[S]\r\nk=\x8Elt\xFD\r\n"), utf16}) {
    const ProfileFile file = Load(bytes);
    const ProfileFile memory = ProfileFile::FromBytes(bytes);
    EXPECT_EQ(memory.Path(), "");
    EXPECT_EQ(memory.ToText(), file.ToText());
    EXPECT_EQ(memory.ReadString("s", "K", ""), file.ReadString("s", "K", "")) << bytes;
  }
}

TEST_F(Profile, ASecondByteOrderMarkHidesNoSectionUntilASave) {
  ProfileFile profile = Load("\xEF\xBB\xBF\xEF\xBB\xBF[Title]\r\nText=first\r\n");
  EXPECT_EQ(profile.ReadString("Title", "Text", ""), "first");
  profile.Save();
  EXPECT_EQ(ProfileFile(path_).ReadString("Title", "Text", ""), "first");
}

TEST_F(Profile, SurvivesBinaryGarbage) {
  std::string garbage = "[\0]\0=\r\n[S]\r\nk=\0v\xFF\r\n=\r\n[\r\n]]]=[[\r\n";
  garbage.append(std::string("\0\0\0\xC3\r", 5));
  const ProfileFile profile = Load(garbage);
  EXPECT_TRUE(IsValidUtf8(profile.ReadString("S", "k", "")));
  EXPECT_EQ(profile.ReadString("S", "", "dflt"), "dflt");
}

TEST_F(Profile, SaveFailureNamesTheFile) {
  ProfileFile profile(dir_.File("missing/Kurvex.ini"));
  profile.WriteInteger("Image", "Width", 1);
  try {
    profile.Save();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir_.File("missing/Kurvex.ini") +
                                         ": No such file or directory");
  }
}

TEST_F(Profile, ManySectionsStayIndexedAcrossInsertions) {
  std::string text;
  for (int i = 0; i < 5000; ++i) {
    text += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n\r\n";
  }
  ProfileFile profile = Load(text);
  EXPECT_EQ(profile.ReadInteger("section4999", "key", -1), 4999);
  // New lines early in the file move every later section; each must still be found.
  for (int i = 0; i < 150; ++i) profile.WriteInteger("Section10", "New" + std::to_string(i), i);
  profile.WriteInteger("Section5000", "Key", 5000);
  for (int i = 0; i <= 5000; i += 7) {
    ASSERT_EQ(profile.ReadInteger("Section" + std::to_string(i), "Key", -1), i) << i;
  }
  EXPECT_EQ(profile.ReadInteger("Section10", "New149", -1), 149);
  EXPECT_EQ(profile.ReadInteger("Section11", "New1", -1), -1);
}

}  // namespace
}  // namespace kurvex
