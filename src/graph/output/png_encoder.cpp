#include "graph/output/image_file.h"

#include <zlib.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KURVEX_PNG_AVX2
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "graph/render/pixel_buffer.h"

namespace kurvex {
namespace {

constexpr int kMaxMatch = 258;
constexpr int kMinMatch = 3;
constexpr int kWindow = 32768;
constexpr std::int64_t kAdlerModulus = 65521;

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
  for (; code < 30; ++code) {
    const int extra = code < 4 ? 0 : (code - 2) / 2;
    if (distance < base + (1 << extra)) {
      return {Reversed(code, 5) | static_cast<std::uint32_t>(distance - base) << 5, 5 + extra};
    }
    base += 1 << extra;
  }
  return {0, 0};
}

// Bits go out least significant first. Put stores all 8 bytes of its buffer and keeps the bits
// of the byte it has not filled, so that there is no branch on the fill level; callers Reserve
// room for what they put beforehand, a row at a time, rather than check at every code.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out), data_(Data(out)), at_(out.size()) {}

  void Reserve(std::size_t bytes) {
    if (at_ + bytes + 8 > out_.size()) data_ = Grow(out_, at_ + bytes + 8);
  }

  // Fewer than 8 bits are left over from the code before, so that any code fits the buffer.
  void Put(Code c) {
    buffer_ |= static_cast<std::uint64_t>(c.bits) << count_;
    count_ += c.length;
    Store(data_ + at_, buffer_);
    const int bytes = count_ >> 3;
    at_ += bytes;
    buffer_ >>= 8 * bytes;
    count_ &= 7;
  }

  void Finish() {
    if (count_ > 0) data_[at_++] = static_cast<std::uint8_t>(buffer_);
    out_.resize(at_);
  }

 private:
  static std::uint8_t* Data(std::string& out) {
    return reinterpret_cast<std::uint8_t*>(out.data());
  }

  [[gnu::noinline]] static std::uint8_t* Grow(std::string& out, std::size_t size) {
    out.resize(std::max(size, 2 * out.size()));
    return Data(out);
  }

  static void Store(std::uint8_t* to, std::uint64_t value) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(to, &value, sizeof value);
    } else {
      for (int i = 0; i < 8; ++i) to[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
  }

  std::string& out_;
  std::uint8_t* data_;
  std::size_t at_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

// Returns where the chunk starts, for EndChunk once its data follow.
std::size_t StartChunk(std::string& out, const char* type) {
  const std::size_t start = out.size();
  PutBigEndian(out, 0);  // the length, when it is known
  out.append(type, 4);
  return start;
}

void EndChunk(std::string& out, std::size_t start) {
  const auto length = static_cast<std::uint32_t>(out.size() - start - 8);
  for (int i = 0; i < 4; ++i) out[start + i] = static_cast<char>(length >> (24 - 8 * i));
  PutBigEndian(out, static_cast<std::uint32_t>(
                        crc32(0, reinterpret_cast<const Bytef*>(out.data() + start + 4),
                              static_cast<uInt>(out.size() - start - 4))));
}

// SameUntil(row, other, x, width): the index of the first pixel from `x` on that differs from
// `other[x]`, or `width`.
struct PlainLanes {
  static int SameUntil(const TColor* row, const TColor* other, int x, int width) {
    while (x < width && row[x] == other[x]) ++x;
    return x;
  }
};

#ifdef __SSE2__
struct Sse2Lanes {
  static int SameUntil(const TColor* row, const TColor* other, int x, int width) {
    if (x < width && row[x] != other[x]) return x;
    for (; x + 16 <= width; x += 16) {
      const __m128i same = _mm_and_si128(
          _mm_and_si128(Compare(row + x, other + x), Compare(row + x + 4, other + x + 4)),
          _mm_and_si128(Compare(row + x + 8, other + x + 8),
                        Compare(row + x + 12, other + x + 12)));
      if (_mm_movemask_epi8(same) != 0xFFFF) break;
    }
    for (; x + 4 <= width; x += 4) {
      const unsigned same = static_cast<unsigned>(_mm_movemask_epi8(Compare(row + x, other + x)));
      if (same != 0xFFFF) return x + __builtin_ctz(~same) / 4;
    }
    return PlainLanes::SameUntil(row, other, x, width);
  }

 private:
  static __m128i Compare(const TColor* a, const TColor* b) {
    return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)));
  }
};
using BaseLanes = Sse2Lanes;
#else
using BaseLanes = PlainLanes;
#endif

#ifdef KURVEX_PNG_AVX2
struct Avx2Lanes {
  __attribute__((target("avx2"))) static int SameUntil(const TColor* row, const TColor* other,
                                                       int x, int width) {
    if (x < width && row[x] != other[x]) return x;
    for (; x + 16 <= width; x += 16) {
      if (_mm256_movemask_epi8(_mm256_and_si256(Compare(row + x, other + x),
                                                Compare(row + x + 8, other + x + 8))) != -1) {
        break;
      }
    }
    for (; x + 8 <= width; x += 8) {
      const unsigned same =
          static_cast<unsigned>(_mm256_movemask_epi8(Compare(row + x, other + x)));
      if (same != 0xFFFFFFFF) return x + __builtin_ctz(~same) / 4;
    }
    return Sse2Lanes::SameUntil(row, other, x, width);
  }

 private:
  __attribute__((target("avx2"))) static __m256i Compare(const TColor* a, const TColor* b) {
    return _mm256_cmpeq_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a)),
                              _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b)));
  }
};
#endif

// The Adler-32 sums of one row counted from 0 at its start, reduced.
struct RowSums {
  std::uint64_t s1 = 0;
  std::uint64_t s2 = 0;
};

// What pixels change in the sums of their row. Counted from 0 at the start of the row, the filter
// byte adds nothing, and bytes r, g, b of pixel x in a row of w add S = r + g + b to s1 and
// 3(w - x) S - g - 2b to s2, as many times as there are bytes from each to the end of the row.
// The sums of a whole row stay below 1150 w^2, so a change does too, far from 2^63 for rows of
// up to 80 million pixels, and it is reduced once, at the end of the row.
struct SumChange {
  std::int64_t s1 = 0;
  std::int64_t s2 = 0;

  // What n pixels of colour c from x on add, `toEnd` pixels from x to the end of the row.
  static SumChange Of(TColor c, std::int64_t toEnd, std::int64_t n) {
    const std::int64_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    const std::int64_t sum = r + g + b;
    return {n * sum, 3 * sum * (n * toEnd - n * (n - 1) / 2) - n * (g + 2 * b)};
  }

  void operator+=(SumChange other) {
    s1 += other.s1;
    s2 += other.s2;
  }
  void operator-=(SumChange other) {
    s1 -= other.s1;
    s2 -= other.s2;
  }

  // Pixel x becomes c where it was `was`: Of(c) - Of(was) in fewer steps, for the many literals.
  void Replace(TColor c, TColor was, std::int64_t toEnd) {
    const std::int64_t g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    const std::int64_t wasG = (was >> 8) & 0xFF, wasB = (was >> 16) & 0xFF;
    const std::int64_t sum = (c & 0xFF) + g + b - ((was & 0xFF) + wasG + wasB);
    s1 += sum;
    s2 += 3 * toEnd * sum - (g + 2 * b) + (wasG + 2 * wasB);
  }

  RowSums Applied(RowSums sums) const {
    const auto reduced = [](std::uint64_t sum, std::int64_t change) {
      return static_cast<std::uint64_t>(
          (static_cast<std::int64_t>(sum) + kAdlerModulus + change % kAdlerModulus) %
          kAdlerModulus);
    };
    return {reduced(sums.s1, s1), reduced(sums.s2, s2)};
  }
};

// Deflate of the filtered rows (a 0 byte, then R G B per pixel) with two kinds of match: the
// pixels of the row above (distance one row) and repeats of the pixel to the left (distance
// 3). On graph pictures nearly every byte falls in such a run, so the encoder mostly compares
// whole pixels and writes one code per 258 bytes; the rest are literals.
//
// The Adler-32 comes from the same walk: a row's sums are those of the row above, less what
// the pixels that differ from it added there, plus what they add here. So a row is read once,
// and a pixel only ever again where it breaks a run down from the row above.
template <class Lanes>
class RowEncoder {
 public:
  RowEncoder(const PixelBuffer& pixels, int width, int height, std::string& out)
      : pixels_(pixels),
        width_(width),
        height_(height),
        writer_(out),
        aboveInReach_(3 * width + 1 <= kWindow) {
    static const Tables tables;
    literal_ = &tables.literal;
    Matches(tables, DistanceCode(3 * width + 1), aboveMatch_);
    Matches(tables, DistanceCode(3), leftMatch_);
  }

  // Returns the Adler-32 of the filtered rows.
  std::uint32_t Encode() {
    writer_.Reserve(1);
    writer_.Put({0b011, 3});  // last block, fixed codes
    const std::uint64_t modulus = kAdlerModulus;
    const std::uint64_t length = (3 * static_cast<std::uint64_t>(width_) + 1) % modulus;
    std::uint64_t s1 = 1, s2 = 0;
    RowSums row;  // of the row before, reduced
    for (int y = 0; y < height_; ++y) {
      EncodeRow(y, row);
      s2 = (s2 + length * s1 + row.s2) % modulus;
      s1 = (s1 + row.s1) % modulus;
    }
    writer_.Reserve(MatchRoom(pendingAbove_) + 2);
    FlushAbove();
    writer_.Put({0, 7});  // end of block: symbol 256, seven 0 bits
    writer_.Finish();
    return static_cast<std::uint32_t>(s2 << 16 | s1);
  }

 private:
  // The codes of matches of every length at one distance, a length and its distance together.
  static void Matches(const Tables& tables, Code distance, std::array<Code, kMaxMatch + 1>& codes) {
    for (int n = kMinMatch; n <= kMaxMatch; ++n) {
      const Code length = tables.length[n];
      codes[n] = {length.bits | distance.bits << length.length, length.length + distance.length};
    }
  }

  // The bytes a run of `length` bytes written as matches takes at most: it takes no more than
  // length / 258 + 2 matches of 31 bits at most.
  static std::size_t MatchRoom(long long length) {
    return static_cast<std::size_t>(length / kMaxMatch + 2) * 4;
  }

  // Leaves `row` with the reduced sums of row y, from those of the row above.
  void EncodeRow(int y, RowSums& row) {
    // A run of the row above that goes on from the rows before may take in this row's pixels up
    // to the first that differs, and then be written. Any other byte takes 11 bits at most: 9 as
    // a literal, 31 for a match of 3 bytes or more.
    const long long length = 3LL * width_ + 1;
    writer_.Reserve(static_cast<std::size_t>(length) * 11 / 8 + MatchRoom(pendingAbove_ + length) +
                    2);
    const TColor* current = pixels_.Row(y);
    if (y == 0 || !aboveInReach_) {
      writer_.Put((*literal_)[0]);
      row = EncodePixels<false>(current, nullptr, 0).Applied({});
      return;
    }
    const TColor* above = pixels_.Row(y - 1);
    pendingAbove_ += 1;  // the filter byte equals the one of the row above
    const int x = Lanes::SameUntil(current, above, 0, width_);
    pendingAbove_ += 3LL * x;
    if (x < width_) row = EncodePixels<true>(current, above, x).Applied(row);
  }

  // Pixels x.. of the row, where `current[x]` is not `above[x]`. Returns how they change the
  // sums of the row from those of the row above, or from 0 without it.
  template <bool kAbove>
  SumChange EncodePixels(const TColor* current, const TColor* above, int x) {
    SumChange change;
    for (;;) {
      FlushAbove();
      const TColor c = current[x];
      if (x > 0 && c == current[x - 1]) {
        const int end = Lanes::SameUntil(current + 1, current, x, width_ - 1) + 1;
        PutMatches(3LL * (end - x), leftMatch_);
        change += SumChange::Of(c, width_ - x, end - x);
        if constexpr (kAbove) RemoveRuns(above, x, end, change);
        x = end;
      } else {
        writer_.Put(PixelCode(c));
        if constexpr (kAbove) {
          change.Replace(c, above[x], width_ - x);
        } else {
          change += SumChange::Of(c, width_ - x, 1);
        }
        ++x;
      }
      if (x == width_) break;
      if constexpr (kAbove) {
        const int end = Lanes::SameUntil(current, above, x, width_);
        pendingAbove_ += 3LL * (end - x);
        x = end;
        if (x == width_) break;
      }
    }
    return change;
  }

  // Takes pixels x..end-1 of `row` out of the sums, a run of equal pixels at a time.
  void RemoveRuns(const TColor* row, int x, int end, SumChange& change) const {
    while (x < end) {
      const int runEnd = Lanes::SameUntil(row + 1, row, x, end - 1) + 1;
      change -= SumChange::Of(row[x], width_ - x, runEnd - x);
      x = runEnd;
    }
  }

  // The three literals of a pixel in one code of at most 27 bits.
  Code PixelCode(TColor c) const {
    const Code r = (*literal_)[c & 0xFF];
    const Code g = (*literal_)[(c >> 8) & 0xFF];
    const Code b = (*literal_)[(c >> 16) & 0xFF];
    return {r.bits | g.bits << r.length | b.bits << (r.length + g.length),
            r.length + g.length + b.length};
  }

  // A run of the row above can go on into the next row, so it is written once it ends.
  void FlushAbove() {
    if (pendingAbove_ == 0) return;
    if (pendingAbove_ < kMinMatch) {
      // Only the filter byte of a row whose first pixel differs from the one above.
      writer_.Put((*literal_)[0]);
    } else {
      PutMatches(pendingAbove_, aboveMatch_);
    }
    pendingAbove_ = 0;
  }

  void PutMatches(long long length, const std::array<Code, kMaxMatch + 1>& codes) {
    while (length > 0) {
      long long n = std::min<long long>(length, kMaxMatch);
      if (length - n > 0 && length - n < kMinMatch) n = length - kMinMatch;
      writer_.Put(codes[n]);
      length -= n;
    }
  }

  const PixelBuffer& pixels_;
  int width_;
  int height_;
  BitWriter writer_;
  bool aboveInReach_;  // rows wider than the deflate window cannot refer to the row above
  const std::array<Code, 256>* literal_ = nullptr;
  std::array<Code, kMaxMatch + 1> aboveMatch_{};
  std::array<Code, kMaxMatch + 1> leftMatch_{};
  long long pendingAbove_ = 0;
};

// Everything a picture's encoding calls goes into one function, so that the writer and the sums
// stay in registers; and so that the AVX2 compares, which a function built for any x86-64 cannot
// take in, end up in the one built for AVX2.
[[gnu::flatten]] std::uint32_t EncodeRows(const PixelBuffer& pixels, int width, int height,
                                          std::string& out) {
  return RowEncoder<BaseLanes>(pixels, width, height, out).Encode();
}

#ifdef KURVEX_PNG_AVX2
__attribute__((target("avx2"), flatten)) std::uint32_t EncodeRowsAvx2(const PixelBuffer& pixels,
                                                                      int width, int height,
                                                                      std::string& out) {
  return RowEncoder<Avx2Lanes>(pixels, width, height, out).Encode();
}
#endif

std::uint32_t EncodeRowsFastest(const PixelBuffer& pixels, int width, int height,
                                std::string& out) {
#ifdef KURVEX_PNG_AVX2
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return EncodeRowsAvx2(pixels, width, height, out);
#endif
  return EncodeRows(pixels, width, height, out);
}

}  // namespace

// Graph pictures are runs of equal pixels along a row and down from the row above; coding just
// those runs takes a small part of the time general deflate settings take, at a similar size.
std::string EncodePng(const PixelBuffer& pixels, int width, int height,
                      std::uint32_t pixelsPerMetre) {
  width = std::min(width, pixels.Width());
  height = std::min(height, pixels.Height());
  if (width <= 0 || height <= 0) return {};
  std::string out = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
  // Graph pictures take about a bit a pixel; more only makes the string grow.
  out.reserve(static_cast<std::size_t>(width) * height / 8 + 4096);

  std::size_t chunk = StartChunk(out, "IHDR");
  PutBigEndian(out, static_cast<std::uint32_t>(width));
  PutBigEndian(out, static_cast<std::uint32_t>(height));
  out.append({8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
  EndChunk(out, chunk);

  chunk = StartChunk(out, "pHYs");
  PutBigEndian(out, pixelsPerMetre);
  PutBigEndian(out, pixelsPerMetre);
  out.push_back(1);  // per metre
  EndChunk(out, chunk);

  chunk = StartChunk(out, "IDAT");
  out.append({0x78, 0x01});  // deflate, 32 KiB window, fastest
  const std::uint32_t adler = EncodeRowsFastest(pixels, width, height, out);
  PutBigEndian(out, adler);
  EndChunk(out, chunk);

  EndChunk(out, StartChunk(out, "IEND"));
  return out;
}

}  // namespace kurvex
