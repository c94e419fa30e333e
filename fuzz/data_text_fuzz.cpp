// Any bytes as a data file, taken the way the programs take one: decoded, prepared, measured,
// fitted, checked, cut to columns and drawn. Nothing may crash, the prepared text must be
// what a plain line-by-line reading of the same rules gives (the real one is vectorised and
// works in place, where a slip costs a byte), and the numeric columns must hold what the field
// parser reads field by field, up to the same first bad field.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/text_file.h"
#include "common/utf8.h"
#include "fuzz_check.h"
#include "graph/axis_fit.h"
#include "graph/data/data_columns.h"
#include "graph/data/data_error.h"
#include "graph/data/data_text.h"
#include "graph/data/numeric_columns.h"
#include "graph/data/streamed_data.h"
#include "graph/model.h"
#include "graph/painter.h"
#include "graph/render/font_engine.h"
#include "graph/render/raster_canvas.h"

namespace {

using kurvex::DataText;

bool IsNumberLine(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first != std::string_view::npos &&
         std::string_view("0123456789.,+-").find(line[first]) != std::string_view::npos;
}

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The preparation written out line by line, slowly and plainly.
struct Expected {
  std::string Head;
  std::size_t HeadLines = 0;
  std::vector<std::string> Data;
};

Expected Prepare(std::string_view text) {
  const std::vector<std::string> lines = kurvex::SplitLines(text);
  Expected e;
  std::size_t first = 0;
  while (first < lines.size() && !IsNumberLine(lines[first])) {
    if (first > 0) e.Head += "\r\n";
    e.Head += lines[first++];
  }
  e.HeadLines = first;
  std::size_t end = lines.size();
  while (end > first && IsBlankLine(lines[end - 1])) --end;

  bool comma = false, point = false, other = false, innerBlank = false;
  for (std::size_t i = first; i < end; ++i) {
    const std::string_view line = lines[i];
    comma |= line.find(',') != std::string_view::npos;
    point |= line.find('.') != std::string_view::npos;
    other |= line.find_first_of(";|\t") != std::string_view::npos;
    const std::size_t start = line.find_first_not_of(' ');
    innerBlank |=
        start != std::string_view::npos && line.find(' ', start) != std::string_view::npos;
  }
  const bool commaSeparates = comma && point;
  const bool commaIsPoint = comma && !point && (other || innerBlank);

  for (std::size_t i = first; i < end; ++i) {
    std::string out;
    bool blankAllowed = false;  // not at the line start, not after a blank
    for (const char c : lines[i]) {
      const bool separator = c == ';' || c == '|' || c == '\t' || (commaSeparates && c == ',');
      if (c == ' ') {
        if (blankAllowed) out += ' ';
        blankAllowed = false;
      } else if (separator) {
        if (out.empty() || out.back() != ' ') out += ' ';
        blankAllowed = false;
      } else {
        out += commaIsPoint && c == ',' ? '.' : c;
        blankAllowed = true;
      }
    }
    e.Data.push_back(std::move(out));
  }
  return e;
}

void CheckFit(const std::optional<kurvex::AxisFit>& fit, const kurvex::ValueRange& range) {
  if (!fit) return;
  Check(!range.Empty());
  Check(fit->Minimum < fit->Maximum);
  // The limits as the axis stores them hold every value (the decimal limit itself may miss a
  // value that sits on it by the double's last bit).
  Check(kurvex::Real48::From(fit->Minimum) <= range.Low);
  Check(kurvex::Real48::From(fit->Maximum) >= range.High);
  Check(fit->TickCount >= 4 && fit->TickCount <= 10);
  Check(fit->DecDigits >= 0 && fit->DecDigits < 40);
}

// The drawing's reading of the data before it was converted at load: field by field with the
// field parser, the first line's curve count, stopping at the first field that fails. Checks
// that the columns give the same numbers and fail at the same field with the same message;
// returns whether every field converts.
bool CheckColumnsAgainstFieldParser(const DataText& data, const kurvex::NumericColumns& columns) {
  Check(columns.LineCount() == data.LineCount());
  if (data.Empty()) return false;
  int curves = 0;
  for (std::size_t r = 0; r < data.LineCount(); ++r) {
    std::string_view rest = data.Line(r);
    const int fields = r == 0 ? 11 : curves + 1;
    for (int f = 0; f < fields && (r > 0 || f == 0 || !rest.empty()); ++f) {
      const std::string_view field = kurvex::NextField(rest);
      double value = 0;
      std::string message;
      try {
        value = kurvex::ConvertField(field);
      } catch (const kurvex::Error& e) {
        message = e.what();
      }
      if (!message.empty()) {
        const auto& bad = columns.FirstBad();
        Check(bad && bad->Line == r && bad->Field == f && bad->Text == field);
        try {
          columns.ThrowBad();
        } catch (const kurvex::DataLineError& e) {
          Check(e.what() == message && e.Line() == r + 1);
        }
        return false;
      }
      if (r == 0 && f > 0) curves = f;
      Check(columns.Value(f, r) == value || (std::isnan(value) && std::isnan(columns.Value(f, r))));
    }
    if (r == 0) Check(columns.CurveCount() == curves);
  }
  Check(!columns.FirstBad());
  return true;
}

// The file read in pieces (their size chosen by the input) must give the whole reading's head
// and numbers, whenever the pieces can be read at all.
void CheckStreamedReading(const std::string& bytes, const kurvex::PreparedData& whole,
                          const kurvex::NumericColumns& numbers) {
  const std::size_t step = 1 + bytes.size() % 7;
  const auto source = [&](const std::function<void(std::string_view)>& take) {
    for (std::size_t at = 0; at < bytes.size(); at += step) {
      take(std::string_view(bytes).substr(at, step));
    }
    return true;
  };
  const std::optional<kurvex::LoadedData> streamed = kurvex::ReadDataStreamed(source);
  if (!streamed) return;
  Check(streamed->Prepared.TextInDataFile == whole.TextInDataFile);
  Check(streamed->Prepared.HeadLineCount == whole.HeadLineCount);
  const kurvex::NumericColumns& s = streamed->Columns;
  Check(s.LineCount() == numbers.LineCount() && s.CurveCount() == numbers.CurveCount());
  Check(s.ConvertedLines() == numbers.ConvertedLines());
  Check(s.FirstBad().has_value() == numbers.FirstBad().has_value());
  if (s.FirstBad()) {
    Check(s.FirstBad()->Line == numbers.FirstBad()->Line);
    Check(s.FirstBad()->Field == numbers.FirstBad()->Field);
    Check(s.FirstBad()->Text == numbers.FirstBad()->Text);
  }
  for (std::size_t r = 0; r < s.ConvertedLines(); ++r) {
    for (int f = 0; f <= s.CurveCount(); ++f) {
      const double a = s.Value(f, r), b = numbers.Value(f, r);
      Check(a == b || (std::isnan(a) && std::isnan(b)));
    }
  }
}

// Draws the data with the values at start on a surface of the image's size; the fit, when
// asked for, is the one kurvex-plot applies. A drawing may fail with an Error on a field that
// does not convert or on a value too far outside an axis for a pixel, but not when every
// field converts and both axes were fitted to the values.
void Draw(const kurvex::PreparedData& prepared, bool fit) {
  static const std::string fileName = "fuzz.txt";
  static kurvex::FontEngine& fonts = kurvex::FontEngine::Shared();
  static kurvex::RasterCanvas canvas(240, 180, fonts);
  kurvex::GraphModel model = kurvex::StartModel();
  kurvex::SetImageWidth(model, canvas.Width());
  kurvex::SetImageHeight(model, canvas.Height());
  const DataText& data = prepared.Data;
  if (fit) kurvex::FitModelAxes(kurvex::MeasureData(data), true, true, model);
  const kurvex::NumericColumns columns(data);
  kurvex::DrawingState state;
  kurvex::GraphPainter painter(model, canvas, fonts, {columns, fileName, prepared.TextInDataFile},
                               state);
  try {
    painter.RepaintGraph(false);
  } catch (const kurvex::Error&) {
    const kurvex::AxesFit fits = kurvex::FitAxesToData(data);
    Check(!(fit && fits.X && fits.Y && columns.LineCount() > 0 && !columns.FirstBad()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  const std::string text =
      kurvex::DecodeText(std::string(reinterpret_cast<const char*>(bytes), size));
  Check(kurvex::IsValidUtf8(text));
  Check(kurvex::DecodeText(text) == text);

  const kurvex::PreparedData prepared = kurvex::PrepareDataText(text);
  const Expected expected = Prepare(text);
  Check(prepared.TextInDataFile == expected.Head);
  Check(prepared.HeadLineCount == expected.HeadLines);
  const DataText& data = prepared.Data;
  Check(data.LineCount() == expected.Data.size());
  for (std::size_t i = 0; i < data.LineCount(); ++i) {
    Check(data.Line(i).find_first_of("\r\n") == std::string_view::npos);
    Check(data.Line(i) == expected.Data[i]);
  }

  const kurvex::NumericColumns numbers(data);
  const bool converts = CheckColumnsAgainstFieldParser(data, numbers);
  CheckStreamedReading(std::string(reinterpret_cast<const char*>(bytes), size), prepared, numbers);
  int curves = -1;
  try {
    curves = kurvex::CountCurves(data);
    Check(curves >= 0 && curves <= 10);
  } catch (const kurvex::Error&) {
    Check(!converts);
  }

  const kurvex::DataExtent extent = kurvex::MeasureData(data);
  if (converts) Check(!extent.X.Empty() && extent.Y.Empty() == (curves == 0));
  for (const kurvex::ValueRange* r : {&extent.X, &extent.Y}) {
    if (!r->Empty()) Check(std::isfinite(r->Low) && std::isfinite(r->High));
  }
  const kurvex::AxesFit fits = kurvex::FitAxesToData(data);
  CheckFit(fits.X, extent.X);
  CheckFit(fits.Y, extent.Y);

  // Columns chosen by the input's length: one, two or three of the first four.
  std::vector<int> columns;
  for (std::size_t n = size; columns.size() < 1 + size % 3; n /= 4) {
    columns.push_back(static_cast<int>(n % 4) + 1);
  }
  const DataText cut(kurvex::SelectColumns(data, columns));
  Check(cut.LineCount() == data.LineCount());
  for (std::size_t i = 0; i < cut.LineCount(); ++i) {
    const std::string_view line = cut.Line(i);
    Check(static_cast<std::size_t>(std::count(line.begin(), line.end(), ' ')) < columns.size());
  }

  Draw(prepared, size % 2 == 1);
  return 0;
}
