#include "graph/data/loaded_data.h"

#include <charconv>
#include <cmath>

#include "graph/data/column_names.h"
#include "graph/data/data_block.h"
#include "graph/data/jcamp_dx.h"

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
    if (const DataBlockSpan block = FindDataBlock(text); block.Lines > 0) {
      loaded.Prepared = PrepareDataBlock(text, block);
      loaded.Missing = MissingValues::kAreGaps;
      loaded.Columns = NumericColumns(loaded.Prepared.Data, loaded.Missing);
      loaded.ColumnNames = ColumnNames(loaded.Prepared.TextInDataFile, block.Fields);
      return loaded;
    }
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
