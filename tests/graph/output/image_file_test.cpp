#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/error.h"
#include "graph/output/image_file.h"
#include "graph/render/raster_canvas.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

namespace fs = std::filesystem;

class ImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kurvex_image_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Little(const std::string& bytes, std::size_t offset, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
  }
  return value;
}

// Three columns of distinct colours over two rows, in a larger buffer that is not written.
PixelBuffer Sample() {
  PixelBuffer pixels(5, 4, 0x777777);
  const TColor colours[2][3] = {{0x0000FF, 0x00FF00, 0xFF0000}, {0x010203, 0x000000, 0xFFFFFF}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) pixels.Set(x, y, colours[y][x]);
  }
  return pixels;
}

TEST_F(ImageFileTest, BmpHasWindowsHeadersAndBottomUpPaddedBgrRows) {
  WriteBmp(Sample(), 3, 2, Path("a.bmp"));
  const std::string bmp = ReadBytes(Path("a.bmp"));
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Little(bmp, 2, 4), bmp.size());
  EXPECT_EQ(Little(bmp, 10, 4), 54u);
  EXPECT_EQ(Little(bmp, 14, 4), 40u);
  EXPECT_EQ(Little(bmp, 18, 4), 3u);
  EXPECT_EQ(Little(bmp, 22, 4), 2u);
  EXPECT_EQ(Little(bmp, 26, 2), 1u);
  EXPECT_EQ(Little(bmp, 28, 2), 24u);
  EXPECT_EQ(Little(bmp, 30, 4), 0u);
  EXPECT_EQ(Little(bmp, 34, 4), 24u);

  const std::string bottomRow("\x01\x02\x03\x00\x00\x00\xFF\xFF\xFF\x00\x00\x00", 12);
  const std::string topRow("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\x00\x00\x00", 12);
  EXPECT_EQ(bmp.substr(54, 12), bottomRow);
  EXPECT_EQ(bmp.substr(66, 12), topRow);
}

TEST_F(ImageFileTest, BmpSizeIsClampedToTheBufferAndReplacesTheOldFile) {
  {
    std::ofstream old(Path("b.bmp"));
    old << "old content that is longer than nothing";
  }
  WriteBmp(Sample(), 9000, 1, Path("b.bmp"));
  const std::string bmp = ReadBytes(Path("b.bmp"));
  EXPECT_EQ(Little(bmp, 18, 4), 5u);
  EXPECT_EQ(Little(bmp, 22, 4), 1u);
  EXPECT_EQ(bmp.size(), 54u + 16);
}

TEST_F(ImageFileTest, FailuresNameTheFileAndLeaveNothingBehind) {
  const std::string missingDir = Path("no/such/dir/c.bmp");
  try {
    WriteBmp(Sample(), 3, 2, missingDir);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + missingDir + ": No such file or directory");
  }
  for (const auto& [width, height] : {std::pair{0, 2}, {3, 0}, {-1, -1}}) {
    EXPECT_THROW_MESSAGE(
        WriteBmp(Sample(), width, height, Path("d.bmp")), Error,
        "Unable to write to " + Path("d.bmp") + ": " + InvalidImageSize(width, height));
    EXPECT_THROW_MESSAGE(
        WritePng(Sample(), width, height, Path("d.png")), Error,
        "Unable to write to " + Path("d.png") + ": " + InvalidImageSize(width, height));
  }
  EXPECT_THROW_MESSAGE(WritePng(Sample(), 3, 2, missingDir), Error,
                       "Unable to write to " + missingDir + ": No such file or directory");
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ImageFileTest, PngReadsBackAsTheSameRgbPixels) {
  const PixelBuffer pixels = Sample();
  WritePng(pixels, 4, 3, Path("e.png"));

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, Path("e.png").c_str()));
  EXPECT_EQ(image.width, 4u);
  EXPECT_EQ(image.height, 3u);
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * 4 + x) * 3;
      const TColor read = rgb[at] | rgb[at + 1] << 8 | rgb[at + 2] << 16;
      EXPECT_EQ(read, pixels.At(x, y)) << x << "," << y;
    }
  }
}

TEST(ImageFileName, ReplacesTheExtensionOfTheFileNamePart) {
  const std::pair<std::string, std::string> cases[] = {
      {"run.1.xy", "run.1.bmp"},       {"data", "data.bmp"},
      {"/a.b/c", "/a.b/c.bmp"},        {"", ".bmp"},
      {"/meas/si.xy", "/meas/si.bmp"}, {"dir/.hidden", "dir/.bmp"},
      {"trailing.", "trailing.bmp"},   {"/a.b/", "/a.b/.bmp"}};
  for (const auto& [data, image] : cases) EXPECT_EQ(ImageFileName(data), image) << data;
  EXPECT_EQ(ImageFileName("x/y.txt", ".png"), "x/y.png");
}

}  // namespace
}  // namespace kurvex
