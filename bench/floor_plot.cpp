// The floor of drawing a data file: read it, convert its numbers, draw the curves as 1-pixel
// lines on a 600 x 500 picture and write it as a bitmap, and nothing else. kurvex-plot's
// whole-process figures are held against this program's.
// Usage: floor_plot DATAFILE OUTPUT.bmp
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 500;

std::string ReadAll(const char* path) {
  std::string bytes;
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return bytes;
  char buffer[1 << 16];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, got);
  close(fd);
  return bytes;
}

void Line(std::vector<uint32_t>& pixels, int x0, int y0, int x1, int y1) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  for (int error = dx + dy;;) {
    if (x0 >= 0 && x0 < kWidth && y0 >= 0 && y0 < kHeight) pixels[y0 * kWidth + x0] = 0xFF;
    if (x0 == x1 && y0 == y1) return;
    const int e2 = 2 * error;
    if (e2 >= dy) error += dy, x0 += sx;
    if (e2 <= dx) error += dx, y0 += sy;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string text = ReadAll(argv[1]);
  std::vector<double> values;
  std::size_t columns = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    std::size_t fields = 0;
    while (p < end && *p != '\n') {
      while (p < end && (*p == ' ' || *p == '\t')) ++p;
      if (p >= end || *p == '\n') break;
      double v = 0;
      const auto [next, error] = std::from_chars(p, end, v);
      if (error != std::errc()) return 1;
      values.push_back(v);
      ++fields;
      p = next;
    }
    if (columns == 0) columns = fields;
    ++p;
  }
  if (columns < 2) return 1;
  const std::size_t rows = values.size() / columns;
  // The axes of the built-in style: x 300..1000 on 500 pixels, y -1..3 on 280.
  std::vector<uint32_t> pixels(kWidth * kHeight, 0xFFFFFF);
  for (std::size_t c = 1; c < columns; ++c) {
    int px = 0, py = 0;
    for (std::size_t r = 0; r < rows; ++r) {
      const int x = 70 + static_cast<int>(std::lround((values[r * columns] - 300) * 500 / 700));
      const int y = 370 - static_cast<int>(std::lround((values[r * columns + c] + 1) * 280 / 4));
      if (r > 0) Line(pixels, px, py, x, y);
      px = x, py = y;
    }
  }
  std::string bmp(54 + kWidth * kHeight * 3, '\0');
  const uint32_t size = static_cast<uint32_t>(bmp.size());
  bmp[0] = 'B', bmp[1] = 'M';
  for (int i = 0; i < 4; ++i) bmp[2 + i] = static_cast<char>(size >> (8 * i));
  bmp[10] = 54, bmp[14] = 40, bmp[26] = 1, bmp[28] = 24;
  for (int i = 0; i < 4; ++i) bmp[18 + i] = static_cast<char>(kWidth >> (8 * i));
  for (int i = 0; i < 4; ++i) bmp[22 + i] = static_cast<char>(kHeight >> (8 * i));
  char* out = bmp.data() + 54;
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t c = pixels[y * kWidth + x];
      *out++ = static_cast<char>(c >> 16), *out++ = static_cast<char>(c >> 8),
      *out++ = static_cast<char>(c);
    }
  }
  FILE* f = std::fopen(argv[2], "wb");
  if (!f) return 1;
  const bool ok = std::fwrite(bmp.data(), 1, bmp.size(), f) == bmp.size();
  return std::fclose(f) == 0 && ok ? 0 : 1;
}
