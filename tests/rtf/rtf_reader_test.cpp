#include "rtf/rtf_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "common/error.h"
#include "common/temp_dir.h"
#include "common/utf8.h"

namespace kurvex {
namespace {

using ::testing::HasSubstr;

// The promises every document keeps, whatever the input: valid UTF-8 and runs that cover the
// text in order, without gaps, empty runs or two equal neighbours.
void ExpectWellFormed(const RtfDocument& doc) {
  ASSERT_TRUE(IsValidUtf8(doc.Text));
  std::size_t next = 0;
  for (std::size_t i = 0; i < doc.Runs.size(); ++i) {
    const RtfRun& run = doc.Runs[i];
    ASSERT_EQ(run.Start, next) << "run " << i;
    ASSERT_GT(run.Length, 0u) << "run " << i;
    if (i > 0) {
      ASSERT_FALSE(run.Style == doc.Runs[i - 1].Style) << "run " << i;
    }
    next += run.Length;
  }
  ASSERT_EQ(next, Utf8Length(doc.Text));
  // Paragraph layouts: none without text, the first at 0, each inside the text and new.
  ASSERT_EQ(doc.Paragraphs.empty(), doc.Text.empty());
  for (std::size_t i = 0; i < doc.Paragraphs.size(); ++i) {
    const RtfParagraphs& p = doc.Paragraphs[i];
    ASSERT_EQ(p.Start == 0, i == 0) << "paragraph " << i;
    if (i > 0) {
      ASSERT_GT(p.Start, doc.Paragraphs[i - 1].Start) << "paragraph " << i;
      ASSERT_FALSE(p.Style == doc.Paragraphs[i - 1].Style) << "paragraph " << i;
    }
    ASSERT_LT(p.Start, next) << "paragraph " << i;
  }
}

RtfDocument Parse(std::string_view rtf) {
  RtfDocument doc = ParseRtf(rtf);
  ExpectWellFormed(doc);
  return doc;
}

// A run as "text|flags|size|colour|font" with flags from b, i, u and the colour in hex.
std::string Describe(const RtfDocument& doc, const RtfRun& run) {
  const std::size_t from = Utf8ByteOffset(doc.Text, run.Start);
  const std::size_t to = Utf8ByteOffset(doc.Text, run.Start + run.Length);
  std::ostringstream out;
  out << doc.Text.substr(from, to - from) << '|' << (run.Style.Bold ? "b" : "")
      << (run.Style.Italic ? "i" : "") << (run.Style.Underline ? "u" : "") << '|'
      << run.Style.FontSize << '|' << std::hex << run.Style.Color << '|' << run.Style.FontName;
  return out.str();
}

std::vector<std::string> Runs(std::string_view rtf) {
  const RtfDocument doc = Parse(rtf);
  std::vector<std::string> runs;
  for (const RtfRun& run : doc.Runs) runs.push_back(Describe(doc, run));
  return runs;
}

struct TextCase {
  const char* what;
  std::string rtf;
  std::string text;
};

TEST(ParseRtf, ReadsTheTextOfEveryKindOfInput) {
  const std::string big32 = "99999999999999999999";
  const TextCase cases[] = {
      {"plain words", R"({\rtf1 Hello world})", "Hello world"},
      {"breaks", R"({\rtf1 a\par b\line c\tab d\sect e\page f\row})", "a\nb\nc\td\ne\nf\n"},
      {"line ends of the file are no text", "{\\rtf1 a\r\nb\nc\\\r\nd}", "abc\nd"},
      {"delimiting blank eaten, others kept", R"({\rtf1\b  two\b0   three})", " two  three"},
      {"escaped specials", R"({\rtf1 \\ \{ \} a\~b\_c\-d})", "\\ { } a\u00A0b\u2011cd"},
      {"typographic words", R"({\rtf1 \emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})",
       "—–‘’“”•"},
      {"unknown words and symbols", R"({\rtf1 a\foo12 b\xyz-3\|c\:d})", "abcd"},
      {"word ends at a non-letter", R"({\rtf1 \par1x\tab-y})", "\nx\t-y"},
      {"hex in 1250 without a code page", R"({\rtf1 \'8elt\'fd k\'f4\'f2})", "Žltý kôň"},
      {"one hex digit, none", R"({\rtf1 \'4x\'zz})", "xzz"},
      {"document code page", R"({\rtf1\ansi\ansicpg1252 \'e9\'9e})", "éž"},
      {"unknown code page falls back to 1250", R"({\rtf1\ansicpg99999 \'e8})", "č"},
      {"font charsets",
       R"({\rtf1\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset238 Arial CE;})"
       R"({\f2\fcharset204 Arial Cyr;}{\f3\fcharset2 Symbol;}}\f1\'e8\f2\'e8\f3\'e8\'61\f0\'e8})",
       "čи\u239Dαè"},
      {"charset 1 keeps the document page", R"({\rtf1{\fonttbl{\f0\fcharset1 X;}}\f0\'e8})", "č"},
      {"font of a group ends with it", R"({\rtf1{\fonttbl{\f1\fcharset204 C;}}{\f1\'e8}\'e8})",
       "иč"},
      {"raw 8-bit bytes", "{\\rtf1\\ansicpg1251 \xE8{\\fonttbl{\\f1\\fcharset238 A;}}\\f1 \xE8}",
       "иč"},
      {"as a word processor saves it",
       "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1051{\\fonttbl{"
       "\\f0\\fnil\\fcharset238 "
       "Calibri;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n\\pard\\sa200\\sl276"
       "\\slmult1\\f0\\fs22\\lang27\\'85R\\'fdchly \\'9atart\\par\r\n}\r\n\0",
       "…Rýchly štart\n"},
      {"marker as a byte",
       "{\\rtf1 \x85"
       "Curves}",
       "…Curves"},
      {"marker as hex in 1252", R"({\rtf1\ansicpg1252 \'85Curves})", "…Curves"},
      {"marker as Unicode", R"({\rtf1 \u8230\'85Curves})", "…Curves"},
      {"unicode with one fallback", R"({\rtf1 \u269?\u382 ?x})", "čžx"},
      {"fallback of two", R"({\rtf1\uc2 \u269\'e8\'e8x})", "čx"},
      {"fallback counts words", R"({\rtf1\uc2 \u269\par\tab x})", "čx"},
      {"no fallback", R"({\rtf1\uc0 \u269 x})", "čx"},
      {"fallback ends at a brace", R"({\rtf1\uc5 {\u269}ab})", "čab"},
      {"skip count is the group's", R"({\rtf1 {\uc0 \u269}\u269?})", "čč"},
      {"negative unicode", R"({\rtf1 \u-100000?})", "\uFFFD"},
      {"negative 16-bit unicode", R"({\rtf1 \u-1280?})", "\uFB00"},
      {"surrogate pair", R"({\rtf1 \u-10179?\u-8704?})", "😀"},
      {"lone surrogates", R"({\rtf1 \u-10179?x\u-8704?})", "\uFFFDx\uFFFD"},
      {"control codes dropped", "{\\rtf1 a\\u7?\x01\\'00b}", "ab"},
      {"ignorable destinations", R"({\rtf1 a{\*\generator Word;}{\*\unknown x}b})", "ab"},
      {"skipped destinations",
       R"({\rtf1{\info{\title T}{\author A}}{\stylesheet{\s1 Heading;}})"
       R"({\header H}{\footer F}a{\pict\pngblip 89504e47}b{\footnote N}c})",
       "abc"},
      {"field shows its result", R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})",
       "link"},
      {"hidden text", R"({\rtf1 a\v b{\v0 c}d\v0 e{\v f\plain g}})", "aceg"},
      {"list text shows its bullet",
       R"({\rtf1{\fonttbl{\f3\fcharset2 Symbol;}}{\listtext\f3\'b7\tab}Item})", "•\tItem"},
      {"tables are no text", R"({\rtf1{\fonttbl{\f0 Times;}}{\colortbl;\red9;}x})", "x"},
      {"binary data skipped", "{\\rtf1 a{\\pict\\bin6 }{\\}\\x}b\\bin2 {}c}", "abc"},
      {"negative binary length", R"({\rtf1 a\bin-5 b})", "ab"},
      {"binary beyond the end", R"({\rtf1 a\bin)" + big32 + " xyz}", "a"},
      {"huge parameters", R"({\rtf1\uc)" + big32 + R"( \u)" + big32 + R"(\f-)" + big32 + " a}",
       "\uFFFD"},
      {"after the document", R"({\rtf1 a}b{\rtf1 c})", "a"},
      {"truncated", R"({\rtf1 a{\b b\u269)", "abč"},
      {"truncated in hex", R"({\rtf1 a\')", "a"},
      {"truncated after backslash", "{\\rtf1 a\\", "a"},
      {"closing brace too many", R"({\rtf1 a}}}})", "a"},
      {"leading blank lines", "\xEF\xBB\xBF\r\n  {\\rtf1 a}", "a"},
      {"not RTF: UTF-8 text", "Žltý\r\nkôň\rA\\par", "Žltý\nkôň\nA\\par"},
      {"not RTF: 1250 text", "\x8Elt\xFD {\\b}", "Žltý {\\b}"},
      {"empty", "", ""},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Parse(c.rtf).Text, c.text);
  }
}

TEST(ParseRtf, KeepsCharacterFormattingPerRun) {
  EXPECT_THAT(
      Runs(R"({\rtf1 a\b b\i c\ul d\ulnone\b0\i0 e})"),
      ::testing::ElementsAre("a||12|0|", "b|b|12|0|", "c|bi|12|0|", "d|biu|12|0|", "e||12|0|"));
  // A group restores what it changed; \plain drops everything but the default font.
  EXPECT_THAT(Runs(R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Times New Roman ;}})"
                   R"(a{\f0\b\fs21 b}\i\f0\fs30 c\plain d})"),
              ::testing::ElementsAre("a||12|0|Times New Roman", "b|b|10.5|0|Arial",
                                     "c|i|15|0|Arial", "d||12|0|Times New Roman"));
  // The first table entry is "auto" (black); indexes outside the table read as black.
  EXPECT_THAT(Runs(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green128\blue255;})"
                   R"(\cf1 r\cf2 b\cf0 a\cf9 x\cf1 r})"),
              ::testing::ElementsAre("r||12|ff|", "b||12|ff8000|", "ax||12|0|", "r||12|ff|"));
  // Sizes: none or 0 mean the default, huge ones stop at 1000 points; \ul0 ends underline.
  EXPECT_THAT(
      Runs(R"({\rtf1\fs0 a\fs99999999999 b\fs20\ul c\ul0\fs d\uldb e\ul0})"),
      ::testing::ElementsAre("a||12|0|", "b||1000|0|", "c|u|10|0|", "d||12|0|", "e|u|12|0|"));
  // Two fonts with one face, and fonts missing from the table, make one run.
  EXPECT_THAT(Runs(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1{\*\panose 02}Arial;}}\f0 a\f1 b\f7 c\f8 d})"),
              ::testing::ElementsAre("ab||12|0|Arial", "cd||12|0|"));
  EXPECT_THAT(Runs("not rtf"), ::testing::ElementsAre("not rtf||12|0|"));
  EXPECT_TRUE(Parse(R"({\rtf1\b})").Runs.empty());
}

// Each paragraph's layout as "first characters|left|first|before|after|align" (twips).
std::vector<std::string> Paragraphs(std::string_view rtf) {
  const RtfDocument doc = Parse(rtf);
  std::vector<std::string> out;
  for (const RtfParagraphs& p : doc.Paragraphs) {
    const std::size_t from = Utf8ByteOffset(doc.Text, p.Start);
    const RtfParagraphStyle& s = p.Style;
    out.push_back(doc.Text.substr(from, 2) + '|' + std::to_string(s.LeftIndent) + '|' +
                  std::to_string(s.FirstIndent) + '|' + std::to_string(s.SpaceBefore) + '|' +
                  std::to_string(s.SpaceAfter) + '|' +
                  std::to_string(static_cast<int>(s.Alignment)));
  }
  return out;
}

TEST(ParseRtf, KeepsTheLayoutOfEachParagraph) {
  struct Case {
    const char* rtf;
    std::vector<std::string> expected;
  } cases[] = {
      // A bullet list with a hanging indent between plain paragraphs; \pard resets.
      {R"({\rtf1 a\par\pard\fi-240\li480\sa60 b\par c\par\pard d})",
       {"a\n|0|0|0|0|0", "b\n|480|-240|0|60|0", "d|0|0|0|0|0"}},
      // The layout in force at \par counts, also when set inside a group; alignment words.
      {R"({\rtf1\qc T\par\pard{\qr\sb200 R\par}\qj J})",
       {"T\n|0|0|0|0|1", "R\n|0|0|200|0|2", "J|0|0|0|0|3"}},
      // \line stays inside its paragraph; out-of-range and negative spacing are bounded.
      {R"({\rtf1\li99999999999\sa-5 x\line y\par})", {"x\n|31680|0|0|0|0"}},
      // Hidden paragraph marks join paragraphs; a truncated file keeps its last layout.
      {R"({\rtf1\li100 a{\v\par}b\par\li200 c)", {"ab|100|0|0|0|0", "c|200|0|0|0|0"}},
      {"plain text\r\nline", {"pl|0|0|0|0|0"}},
      {R"({\rtf1 })", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Paragraphs(c.rtf), c.expected) << c.rtf;
  }
}

TEST(ParseRtf, ReadsFontNamesInTheirOwnCharset) {
  // A table without groups, names longer than Windows keeps, a name without its ';'.
  const std::string longName(40, 'N');
  EXPECT_THAT(
      Runs(R"({\rtf1{\fonttbl\f0\fcharset238 \'8aar;\f1 )" + longName +
           R"(;\f2 Open}\f0 a\f1 b\f2 c})"),
      ::testing::ElementsAre("a||12|0|Šar", "b||12|0|" + longName.substr(0, 31), "c||12|0|Open"));
}

// Groups nested far beyond any real document: the content at an absurd depth is dropped, the
// state around it is intact and nothing overflows the call stack.
TEST(ParseRtf, SurvivesDeepNesting) {
  const std::string open(100000, '{');
  const std::string close(100000, '}');
  EXPECT_THAT(Runs(R"({\rtf1 a{\b b)" + open + R"(\i\pict x)" + close + "c}d}"),
              ::testing::ElementsAre("a||12|0|", "bc|b|12|0|", "d||12|0|"));
  EXPECT_EQ(Parse(R"({\rtf1 a)" + open + "x").Text, "a");
  EXPECT_EQ(Parse(R"({\rtf1 a)" + close + "b").Text, "a");
}

TEST(ParseRtf, TurnsAnyBytesIntoAWellFormedDocument) {
  std::mt19937 random(11);
  const std::string alphabet = "{}\\'*;abu0123456789- \x85\xE8\r\n";
  for (int round = 0; round < 300; ++round) {
    std::string rtf = R"({\rtf1 )";
    const int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) {
      rtf += round % 2 == 0 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
    }
    SCOPED_TRACE(rtf);
    Parse(rtf);
  }
}

TEST(ReadRtfFile, NamesTheFileAndTheReasonWhenItCannotBeRead) {
  test::TempDir dir;
  const auto message = [](const std::string& path) {
    try {
      ReadRtfFile(path);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(dir.File("English.rtf")),
            "Cannot open file \"" + dir.File("English.rtf") + "\". No such file or directory");
  EXPECT_EQ(message(dir.Path()), "Cannot open file \"" + dir.Path() + "\". Not a file");
  EXPECT_THAT(message("/dev/zero"), HasSubstr("Not a file"));
}

TEST(ReadRtfFile, ReadsEveryShippedManualWithItsTopicMarkers) {
  const std::filesystem::path folder = std::filesystem::path(KURVEX_RESOURCES_DIR) / "Localize";
  std::error_code ignored;
  int manuals = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    if (entry.path().extension() != ".rtf") continue;
    SCOPED_TRACE(entry.path().string());
    ++manuals;
    const RtfDocument doc = ReadRtfFile(entry.path().string());
    ExpectWellFormed(doc);
    EXPECT_THAT(doc.Text, HasSubstr("…"));
  }
  if (manuals == 0) GTEST_SKIP() << "no manuals in " << folder;
}

}  // namespace
}  // namespace kurvex
