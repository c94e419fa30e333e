#include "graph/render/font_match_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/temp_dir.h"

namespace kurvex {
namespace {

namespace fs = std::filesystem;

class FontMatchCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fontFile = dir.File("face.ttf");
    std::ofstream(fontFile) << "x";
  }

  std::string CachePath() const { return dir.File("sub/matches"); }

  FaceSource Source() const {
    FaceSource s;
    s.File = fontFile;
    s.Index = 2;
    s.Embolden = true;
    s.Sheared = true;
    s.Matrix[1] = 0.2;
    return s;
  }

  test::TempDir dir;
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
  fs::create_directories(dir.File("sub"));
  std::ofstream(CachePath(), std::ios::binary)
      << std::string("kurvex font matches 1\nstamp\n\0\t\x01zz", 30);
  FontMatchCache cache(CachePath(), "stamp");
  EXPECT_FALSE(cache.Find("").has_value());
  // A cache that cannot be written (its folder is a file) costs only speed.
  FontMatchCache unwritable(dir.File("face.ttf/matches"), "stamp");
  unwritable.Put("0Arial", Source());
  EXPECT_NO_THROW(unwritable.Save());
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
