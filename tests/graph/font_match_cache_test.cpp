#include "graph/font_match_cache.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace kurvex {
namespace {

namespace fs = std::filesystem;

class FontMatchCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kurvex_fmc_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fontFile = (dir / "face.ttf").string();
    std::ofstream(fontFile) << "x";
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string CachePath() const { return (dir / "sub" / "matches").string(); }

  FaceSource Source() const {
    FaceSource s;
    s.File = fontFile;
    s.Index = 2;
    s.Embolden = true;
    s.Sheared = true;
    s.Matrix[1] = 0.2;
    return s;
  }

  fs::path dir;
  std::string fontFile;
};

TEST_F(FontMatchCacheTest, ChoicesSurviveARunWithTheSameStamp) {
  {
    FontMatchCache cache(CachePath(), "stamp 1");
    cache.Put("1Times New Roman", Source());
    cache.Save();
  }
  FontMatchCache again(CachePath(), "stamp 1");
  ASSERT_TRUE(again.Find("1Times New Roman").has_value());
  EXPECT_EQ(*again.Find("1Times New Roman"), Source());
  EXPECT_FALSE(again.Find("0Times New Roman").has_value());
}

TEST_F(FontMatchCacheTest, ChangedFontsOrRemovedFilesAreNotTrusted) {
  {
    FontMatchCache cache(CachePath(), "stamp 1");
    cache.Put("0Arial", Source());
    cache.Put("bad\tkey", Source());  // cannot be stored in the line format
    cache.Save();
  }
  EXPECT_FALSE(FontMatchCache(CachePath(), "stamp 2").Find("0Arial").has_value());
  EXPECT_FALSE(FontMatchCache(CachePath(), "stamp 1").Find("bad\tkey").has_value());
  fs::remove(fontFile);
  EXPECT_FALSE(FontMatchCache(CachePath(), "stamp 1").Find("0Arial").has_value());
}

TEST_F(FontMatchCacheTest, GarbageInTheFileIsAnEmptyCache) {
  fs::create_directories(dir / "sub");
  std::ofstream(CachePath(), std::ios::binary)
      << std::string("kurvex font matches 1\nstamp\n\0\t\x01zz", 30);
  FontMatchCache cache(CachePath(), "stamp");
  EXPECT_FALSE(cache.Find("").has_value());
}

TEST_F(FontMatchCacheTest, TheStampFollowsTheFontConfiguration) {
  const std::string before = FontMatchCache::CurrentStamp();
  EXPECT_EQ(before, FontMatchCache::CurrentStamp());
  setenv("FONTCONFIG_FILE", "/nonexistent.conf", 1);
  EXPECT_NE(before, FontMatchCache::CurrentStamp());
  unsetenv("FONTCONFIG_FILE");
}

}  // namespace
}  // namespace kurvex
