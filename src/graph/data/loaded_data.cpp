#include "graph/data/loaded_data.h"

#include <charconv>
#include <cmath>

#include "graph/data/block_read.h"
#include "graph/data/column_names.h"
#include "graph/data/jcamp_dx.h"
#include "graph/data/xrdml.h"

namespace kurvex {

namespace {

void AppendNumber(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, error == std::errc() ? end : buffer);
}

// The note on what of a file of several blocks or pages is drawn.
std::string JcampNote(const JcampDxData& jcamp) {
  std::string note;
  if (jcamp.BlockCount > 1) {
    note = "the file holds " + std::to_string(jcamp.BlockCount) + " blocks of data; ";
    note += jcamp.DrawnBlock <= 1 ? std::string("the first is drawn")
                                  : "block " + std::to_string(jcamp.DrawnBlock) + " is drawn";
  }
  if (jcamp.PageCount > jcamp.DrawnPages && jcamp.DrawnPages > 0) {
    if (!note.empty()) note += "; ";
    note += "the file holds " + std::to_string(jcamp.PageCount) + " pages of data; ";
    note += jcamp.DrawnPages == 1 ? std::string("the first is drawn")
                                  : std::to_string(jcamp.DrawnPages) + " are drawn";
  }
  return note;
}

// The decoded numbers are kept as they are: the data text is made from them only when shown.
LoadedData FromJcampDx(JcampDxData jcamp) {
  LoadedData loaded;
  loaded.TextLeftOut = true;
  loaded.TextFromColumns = true;
  loaded.Prepared.TextInDataFile = std::move(jcamp.HeadText);
  loaded.Note = JcampNote(jcamp);
  if (jcamp.MoreY.empty()) {
    loaded.Columns = NumericColumns(std::move(jcamp.X), std::move(jcamp.Y));
  } else {
    jcamp.MoreY.insert(jcamp.MoreY.begin(), std::move(jcamp.Y));
    loaded.Columns = NumericColumns(std::move(jcamp.X), std::move(jcamp.MoreY));
  }
  if (jcamp.Error) loaded.Columns.StopWith(jcamp.Error->Message, jcamp.Error->Line);
  loaded.SymbolsOnly = jcamp.PeakTable;
  loaded.Spectrum = {std::move(jcamp.Title),  std::move(jcamp.DataType), std::move(jcamp.XUnits),
                     std::move(jcamp.YUnits), std::move(jcamp.Origin),   std::move(jcamp.Owner)};
  loaded.Missing = MissingValues::kAreGaps;
  return loaded;
}

}  // namespace

DataText ColumnsText(const NumericColumns& columns) {
  const auto& bad = columns.FirstBad();
  const std::size_t lines = bad ? bad->Line : columns.ConvertedLines();
  std::string text;
  text.reserve(lines * 12 * static_cast<std::size_t>(columns.CurveCount() + 1));
  for (std::size_t i = 0; i < lines; ++i) {
    for (int f = 0; f <= columns.CurveCount(); ++f) {
      if (f > 0) text += ' ';
      AppendNumber(text, columns.Value(f, i));
    }
    text += '\n';
  }
  return DataText(std::move(text));
}

LoadedData ReadDataText(std::string text, const DataRules& rules) {
  if (LooksLikeJcampDx(text)) return FromJcampDx(ReadJcampDx(text));
  LoadedData loaded;
  if (rules.FindDataBlock) {
    if (LooksLikeXrdml(text)) return ReadXrdml(text);
    BlockReading reading = ReadDataBlock(TextSource(text), rules.Columns, true);
    if (reading.Data) return std::move(*reading.Data);
    loaded.Failure = reading.Error.empty() ? "no data block" : reading.Error;
    return loaded;
  }
  loaded.Prepared = PrepareDataText(std::move(text));
  loaded.Columns = NumericColumns(loaded.Prepared.Data);
  if (!loaded.Prepared.Data.Empty()) {
    loaded.ColumnNames =
        ColumnNames(loaded.Prepared.TextInDataFile, FieldCount(loaded.Prepared.Data.Line(0)));
  }
  return loaded;
}

}  // namespace kurvex
