#include "graph/output/image_file.h"

#include <zlib.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "graph/render/raster_canvas.h"

namespace kurvex {
namespace {

constexpr int kMaxMatch = 258;
constexpr int kMinMatch = 3;
constexpr int kWindow = 32768;

struct Code {
  std::uint32_t bits;  // already in the order they go into the stream
  int length;
};

std::uint32_t Reversed(std::uint32_t code, int length) {
  std::uint32_t out = 0;
  for (int i = 0; i < length; ++i) out |= ((code >> i) & 1) << (length - 1 - i);
  return out;
}

// The fixed Huffman code of a literal/length symbol (0..287).
Code FixedCode(int symbol) {
  if (symbol < 144) return {Reversed(0x30 + symbol, 8), 8};
  if (symbol < 256) return {Reversed(0x190 + symbol - 144, 9), 9};
  if (symbol < 280) return {Reversed(symbol - 256, 7), 7};
  return {Reversed(0xC0 + symbol - 280, 8), 8};
}

// Symbol, extra bits and code of every match length 3..258, and of every literal byte.
struct Tables {
  std::array<Code, 256> literal{};
  std::array<Code, kMaxMatch + 1> length{};

  Tables() {
    for (int b = 0; b < 256; ++b) literal[b] = FixedCode(b);
    static constexpr int kBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
    for (int n = kMinMatch; n <= kMaxMatch; ++n) {
      int i = 28;
      while (kBase[i] > n) --i;
      const int extra = i < 8 || i == 28 ? 0 : (i - 4) / 4;
      const Code symbol = FixedCode(257 + i);
      length[n] = {symbol.bits | static_cast<std::uint32_t>(n - kBase[i]) << symbol.length,
                   symbol.length + extra};
    }
  }
};

// The fixed 5-bit distance code with its extra bits.
Code DistanceCode(int distance) {
  int code = 0;
  int base = 1;
  for (; code < 29; ++code) {
    const int extra = code < 4 ? 0 : (code - 2) / 2;
    if (distance < base + (1 << extra)) {
      return {Reversed(code, 5) | static_cast<std::uint32_t>(distance - base) << 5, 5 + extra};
    }
    base += 1 << extra;
  }
  return {0, 0};
}

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(Code c) {
    buffer_ |= static_cast<std::uint64_t>(c.bits) << count_;
    count_ += c.length;
    if (count_ >= 32) {
      const std::size_t at = out_.size();
      out_.resize(at + 4);
      for (int i = 0; i < 4; ++i) out_[at + i] = static_cast<std::uint8_t>(buffer_ >> (8 * i));
      buffer_ >>= 32;
      count_ -= 32;
    }
  }

  void Finish() {
    for (; count_ > 0; count_ -= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
    }
    count_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, static_cast<std::uint32_t>(
                        crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// Index of the first pixel from `x` on that differs from `other[x]`, or `width`.
int SameUntil(const TColor* row, const TColor* other, int x, int width) {
#ifdef __SSE2__
  for (; x + 4 <= width; x += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(other + x));
    const unsigned same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi32(a, b)));
    if (same != 0xFFFF) return x + __builtin_ctz(~same) / 4;
  }
#endif
  while (x < width && row[x] == other[x]) ++x;
  return x;
}

// Adler-32 of the filtered rows. A row's own sums are taken a run of equal pixels at a time:
// after n pixels of bytes r, g, b (S = r + g + b, T = 3r + 2g + b) from sums s1, s2, s1 has
// grown by nS and s2 by 3n s1 + nT + 3S n(n-1)/2. A row equal to the one before has its sums.
class Adler32 {
 public:
  void AddRow(const TColor* row, int width, bool sameAsBefore) {
    if (!sameAsBefore) RowSums(row, width);
    const std::uint64_t length = 3 * static_cast<std::uint64_t>(width) + 1;
    s2_ = (s2_ + length % kModulus * s1_ + rowS2_) % kModulus;
    s1_ = (s1_ + rowS1_) % kModulus;
  }
  std::uint32_t Value() const { return static_cast<std::uint32_t>(s2_ << 16 | s1_); }

 private:
  // Starting from 0, s2 stays below 2300 w^2 within a row of w pixels, far from 2^64 for any
  // row that fits in memory, so the sums are reduced once, at its end.
  void RowSums(const TColor* row, int width) {
    std::uint64_t s1 = 0, s2 = 0;  // the filter byte 0 adds nothing
    for (int x = 0; x < width;) {
      const int end = SameUntil(row + 1, row, x, width - 1) + 1;
      const std::uint64_t n = static_cast<std::uint64_t>(end - x);
      const std::uint64_t c = row[x];
      const std::uint64_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
      const std::uint64_t sum = r + g + b;
      s2 += 3 * n * s1 + n * (3 * r + 2 * g + b) + 3 * sum * (n * (n - 1) / 2);
      s1 += n * sum;
      x = end;
    }
    rowS1_ = s1 % kModulus;
    rowS2_ = s2 % kModulus;
  }

  static constexpr std::uint64_t kModulus = 65521;
  std::uint64_t s1_ = 1;
  std::uint64_t s2_ = 0;
  std::uint64_t rowS1_ = 0;
  std::uint64_t rowS2_ = 0;
};

// Deflate of the filtered rows (a 0 byte, then R G B per pixel) with two kinds of match: the
// pixels of the row above (distance one row) and repeats of the pixel to the left (distance
// 3). On graph pictures nearly every byte falls in such a run, so the encoder mostly compares
// whole pixels and writes one code per 258 bytes; the rest are literals.
class RowEncoder {
 public:
  RowEncoder(const PixelBuffer& pixels, int width, int height, std::vector<std::uint8_t>& out)
      : pixels_(pixels),
        width_(width),
        height_(height),
        writer_(out),
        aboveInReach_(3 * width + 1 <= kWindow),
        above_(DistanceCode(3 * width + 1)),
        left_(DistanceCode(3)) {}

  // Returns the Adler-32 of the filtered rows.
  std::uint32_t Encode() {
    static const Tables tables;
    tables_ = &tables;
    writer_.Put({0b011, 3});  // last block, fixed codes
    Adler32 adler;
    for (int y = 0; y < height_; ++y) {
      const bool sameAsAbove = EncodeRow(y);
      adler.AddRow(pixels_.Row(y), width_, sameAsAbove);
    }
    FlushAbove();
    writer_.Put({0, 7});  // end of block: symbol 256, seven 0 bits
    writer_.Finish();
    return adler.Value();
  }

 private:
  // Returns whether the row equals the one above.
  bool EncodeRow(int y) {
    const TColor* current = pixels_.Row(y);
    const TColor* above = y > 0 && aboveInReach_ ? pixels_.Row(y - 1) : nullptr;
    if (above) {
      pendingAbove_ += 1;  // the filter byte equals the one of the row above
    } else {
      writer_.Put(tables_->literal[0]);
    }
    bool same = above != nullptr;
    int x = 0;
    while (x < width_) {
      if (above && current[x] == above[x]) {
        const int end = SameUntil(current, above, x + 1, width_);
        pendingAbove_ += 3LL * (end - x);
        x = end;
        continue;
      }
      same = false;
      FlushAbove();
      if (x > 0 && current[x] == current[x - 1]) {
        const int end = SameUntil(current + 1, current, x, width_ - 1) + 1;
        PutMatches(3LL * (end - x), left_);
        x = end;
        continue;
      }
      const std::uint32_t c = current[x];
      writer_.Put(tables_->literal[c & 0xFF]);
      writer_.Put(tables_->literal[(c >> 8) & 0xFF]);
      writer_.Put(tables_->literal[(c >> 16) & 0xFF]);
      ++x;
    }
    return same;
  }

  // A run of the row above can go on into the next row, so it is written once it ends.
  void FlushAbove() {
    if (pendingAbove_ == 0) return;
    if (pendingAbove_ < kMinMatch) {
      // Only the filter byte of a row whose first pixel differs from the one above.
      writer_.Put(tables_->literal[0]);
    } else {
      PutMatches(pendingAbove_, above_);
    }
    pendingAbove_ = 0;
  }

  void PutMatches(long long length, Code distance) {
    while (length > 0) {
      long long n = std::min<long long>(length, kMaxMatch);
      if (length - n > 0 && length - n < kMinMatch) n = length - kMinMatch;
      writer_.Put(tables_->length[n]);
      writer_.Put(distance);
      length -= n;
    }
  }

  const PixelBuffer& pixels_;
  int width_;
  int height_;
  BitWriter writer_;
  bool aboveInReach_;  // rows wider than the deflate window cannot refer to the row above
  Code above_;
  Code left_;
  const Tables* tables_ = nullptr;
  long long pendingAbove_ = 0;
};

}  // namespace

// Graph pictures are runs of equal pixels along a row and down from the row above; coding just
// those runs takes a small part of the time general deflate settings take, at a similar size.
std::string EncodePng(const PixelBuffer& pixels, int width, int height,
                      std::uint32_t pixelsPerMetre) {
  width = std::min(width, pixels.Width());
  height = std::min(height, pixels.Height());
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
  PutChunk(out, "IHDR", header);

  std::vector<std::uint8_t> density;
  PutBigEndian(density, pixelsPerMetre);
  PutBigEndian(density, pixelsPerMetre);
  density.push_back(1);  // per metre
  PutChunk(out, "pHYs", density);

  std::vector<std::uint8_t> stream = {0x78, 0x01};  // deflate, 32 KiB window, fastest
  const std::uint32_t adler = RowEncoder(pixels, width, height, stream).Encode();
  PutBigEndian(stream, adler);
  PutChunk(out, "IDAT", stream);
  PutChunk(out, "IEND", {});
  return std::string(out.begin(), out.end());
}

}  // namespace kurvex
