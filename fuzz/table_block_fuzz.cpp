// Any bytes as an instrument file read by the block finder, with a choice of columns taken from
// the input: read whole and read in pieces of any size, the two readings must agree, hold no
// more than a few bytes per input byte, and keep every promise of the column choice. Nothing may
// crash or read out of bounds.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utf8.h"
#include "fuzz_check.h"
#include "graph/data/block_read.h"
#include "graph/data/column_choice.h"
#include "graph/data/loaded_data.h"
#include "graph/data/xrdml.h"

namespace {

using kurvex::BlockReading;
using kurvex::ColumnRequest;

constexpr std::size_t kBytesPerInputByte = 8;  // "nan " for an empty field between separators

// The request the first byte asks for: none, names or numbers, sometimes past the columns.
ColumnRequest RequestOf(std::string_view bytes) {
  if (bytes.empty()) return {};
  const auto mode = static_cast<unsigned char>(bytes[0]);
  static const char* const names[] = {"Raman Shift", "Wavelength", "Time", "P", "x", "2", "13"};
  switch (mode % 5) {
    case 1:
      return {names[mode / 5 % 7], ""};
    case 2:
      return {"", names[mode / 5 % 7]};
    case 3:
      return {std::to_string(mode / 5 % 4 + 1), std::to_string(mode / 20 % 4 + 1) + ",1"};
    default:
      return {};
  }
}

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

void CheckSame(const BlockReading& a, const BlockReading& b) {
  Check(a.Streamable == b.Streamable && a.Error == b.Error &&
        a.Data.has_value() == b.Data.has_value());
  if (!a.Data) return;
  const kurvex::LoadedData& x = *a.Data;
  const kurvex::LoadedData& y = *b.Data;
  Check(x.Prepared.TextInDataFile == y.Prepared.TextInDataFile);
  Check(x.Prepared.HeadLineCount == y.Prepared.HeadLineCount);
  Check(x.Prepared.Data.Joined("\n") == y.Prepared.Data.Joined("\n"));
  Check(x.ColumnNames == y.ColumnNames && x.FileColumns == y.FileColumns && x.Note == y.Note);
  Check(x.Columns.LineCount() == y.Columns.LineCount());
  Check(x.Columns.CurveCount() == y.Columns.CurveCount());
  Check(x.Columns.ConvertedLines() == y.Columns.ConvertedLines());
  for (std::size_t r = 0; r < x.Columns.ConvertedLines(); ++r) {
    for (int f = 0; f <= x.Columns.CurveCount(); ++f) {
      Check(Same(x.Columns.Value(f, r), y.Columns.Value(f, r)));
    }
  }
}

// What a reading holds: the numbers of its text, a bounded text, two lines of two fields.
void CheckReading(const BlockReading& read, std::size_t inputSize) {
  if (!read.Data) {
    Check(!read.Streamable || !read.Error.empty());
    return;
  }
  const kurvex::LoadedData& loaded = *read.Data;
  Check(loaded.Failure.empty());
  const kurvex::DataText& data = loaded.Prepared.Data;
  Check(data.Joined("\n").size() <= kBytesPerInputByte * inputSize + 64);
  Check(loaded.Prepared.TextInDataFile.size() <= 2 * inputSize);
  Check(loaded.Columns.LineCount() == data.LineCount());
  Check(data.LineCount() >= 1 && data.LineCount() <= inputSize);
  Check(loaded.Columns.CurveCount() >= 0 && loaded.Columns.CurveCount() <= 10);
  const kurvex::NumericColumns again(data, kurvex::MissingValues::kAreGaps);
  Check(again.CurveCount() == loaded.Columns.CurveCount());
  Check(again.ConvertedLines() == loaded.Columns.ConvertedLines());
  for (std::size_t r = 0; r < again.ConvertedLines(); ++r) {
    for (int f = 0; f <= again.CurveCount(); ++f) {
      Check(Same(again.Value(f, r), loaded.Columns.Value(f, r)));
    }
  }
}

// The chooser on its own, over the head's names of any count of columns.
void CheckChoice(std::string_view text, const ColumnRequest& request) {
  const std::size_t columns = text.size() % 13;
  const std::vector<std::string> names = kurvex::HeadColumnNames(text, columns);
  Check(names.empty() || names.size() == columns);
  const kurvex::ColumnChoice choice = kurvex::ChooseColumns(names, columns, request, 1);
  if (!choice.Error.empty() || columns == 0) return;
  Check(choice.X < columns && choice.Y.size() <= 10);
  for (const std::size_t y : choice.Y) Check(y < columns);
  // Chosen for the user: every other column may be a curve, x never.
  if (request.X.empty() && request.Y.empty()) {
    Check(choice.Y.empty() == (columns == 1));
    Check(std::find(choice.Y.begin(), choice.Y.end(), choice.X) == choice.Y.end());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  const ColumnRequest request = RequestOf(text);
  const std::size_t step = 1 + size % 7;
  const auto pieces = [&](const std::function<void(std::string_view)>& take) {
    for (std::size_t at = 0; at < text.size(); at += step) {
      take(std::string_view(text).substr(at, step));
    }
    return true;
  };
  const BlockReading whole = kurvex::ReadDataBlock(kurvex::TextSource(text), request, true);
  const BlockReading inPieces = kurvex::ReadDataBlock(pieces, request, true);
  CheckSame(whole, inPieces);
  CheckReading(whole, size);
  // Without its text kept, the same numbers.
  const BlockReading numbersOnly = kurvex::ReadDataBlock(pieces, request, false);
  Check(numbersOnly.Data.has_value() == whole.Data.has_value());
  if (numbersOnly.Data) {
    Check(numbersOnly.Data->Prepared.Data.Empty());
    Check(numbersOnly.Data->Columns.ConvertedLines() == whole.Data->Columns.ConvertedLines());
  }
  // The reading of a decoded whole text agrees where the bytes were streamed.
  if (whole.Streamable && kurvex::IsValidUtf8(text)) {
    const kurvex::LoadedData loaded = kurvex::ReadDataText(text, {true, request});
    Check(loaded.Failure.empty() == whole.Data.has_value());
    if (whole.Data)
      Check(loaded.Prepared.Data.Joined("\n") == whole.Data->Prepared.Data.Joined("\n"));
  }
  if (kurvex::LooksLikeXrdml(text)) {
    const kurvex::LoadedData scan = kurvex::ReadXrdml(text);
    Check(scan.Columns.LineCount() <= size);
  }
  CheckChoice(text, request);
  return 0;
}
