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

LoadedData FromJcampDx(const JcampDxData& jcamp) {
  LoadedData loaded;
  std::string view;
  view.reserve(jcamp.X.size() * 24);
  for (std::size_t i = 0; i < jcamp.X.size(); ++i) {
    AppendNumber(view, jcamp.X[i]);
    view += ' ';
    AppendNumber(view, jcamp.Y[i]);
    view += '\n';
  }
  loaded.Prepared.Data = DataText(std::move(view));
  loaded.Prepared.TextInDataFile = jcamp.HeadText;
  loaded.Columns = NumericColumns(jcamp.X, jcamp.Y);
  if (jcamp.Error) loaded.Columns.StopWith(jcamp.Error->Message, jcamp.Error->Line);
  loaded.SymbolsOnly = jcamp.PeakTable;
  loaded.XUnits = jcamp.XUnits;
  loaded.YUnits = jcamp.YUnits;
  loaded.Missing = MissingValues::kAreGaps;
  if (jcamp.BlockCount > 1) {
    loaded.Note = "the file holds " + std::to_string(jcamp.BlockCount) +
                  " blocks of data; the first is drawn";
  }
  return loaded;
}

}  // namespace

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
