#include "graph/data/block_read.h"

#include <algorithm>

#include "common/utf8.h"
#include "graph/data/column_choice.h"
#include "graph/data/jcamp_dx.h"
#include "graph/data/xrdml.h"

namespace kurvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kChunk = std::size_t{1} << 20;  // converted data text held at once
constexpr std::size_t kMaxCurves = 10;
constexpr std::size_t kXrdmlRootWithin = 4096;  // as LooksLikeXrdml looks

// Calls `line` with each line of the source, byte-order marks at the start left out; false
// when the source fails or holds what must be decoded whole. An XML scan names its root within
// its first bytes, which may come in several pieces.
template <typename Line>
bool EachLine(const ByteSource& source, bool& streamable, Line&& line) {
  bool started = false;   // the first byte that is no blank or line break was seen
  bool markup = false;    // and it starts a tag
  std::size_t marks = 0;  // bytes of byte-order marks before the text
  LinePieces pieces([&](std::string_view piece, std::size_t offset) {
    if (!streamable) return;
    if (offset == 0) {
      if (piece.starts_with("\xFF\xFE") || piece.starts_with("\xFE\xFF")) {
        streamable = false;
        return;
      }
      while (piece.starts_with(kByteOrderMark)) {
        piece.remove_prefix(kByteOrderMark.size());
        marks += kByteOrderMark.size();
      }
    }
    // What the text is shows at its first line that holds more than blanks, in whatever piece.
    if (const std::size_t first = piece.find_first_not_of(" \t\r\n");
        !started && first != std::string_view::npos) {
      started = true;
      markup = piece[first] == '<';
      if (LooksLikeJcampDx(piece)) {
        streamable = false;
        return;
      }
    }
    const std::size_t at = offset == 0 ? 0 : offset - marks;  // in the text
    if (markup && at < kXrdmlRootWithin &&
        piece.substr(0, kXrdmlRootWithin - at).find("<xrdMeasurements") != std::string_view::npos) {
      streamable = false;
      return;
    }
    if (!IsValidUtf8(piece)) {
      streamable = false;
      return;
    }
    ForEachLine(piece, line);
  });
  if (!source([&pieces](std::string_view bytes) { pieces.Add(bytes); })) return false;
  pieces.Finish();
  return streamable;
}

// The second pass: the head, then the chosen fields of the block's lines as a data text
// converted a chunk at a time.
class BlockReader {
 public:
  BlockReader(const DataBlockSpan& block, const ColumnRequest& request, bool keepText)
      : block_(block), request_(request), keepText_(keepText) {}

  void Line(std::string_view line) {
    const std::size_t i = line_++;
    if (!error_.empty()) return;
    if (i < block_.First) {
      if (i > 0) head_ += "\r\n";
      head_ += line;
      return;
    }
    switch (block_.Shape) {
      case BlockShape::kColumns:
        if (i == block_.First) Choose(block_.Fields);
        if (i < block_.First + block_.Lines) Convert(line, 0);
        break;
      case BlockShape::kTagged:
        if (i == block_.First) Choose(block_.Fields - 1);
        if (IsTagged(line)) Convert(line, 1);
        break;
      case BlockShape::kRows:
        if (i < block_.First + block_.Lines) KeepRow(line, i == block_.First);
        break;
    }
  }

  BlockReading Finish() {
    BlockReading reading;
    if (!error_.empty()) {
      reading.Error = error_;
      return reading;
    }
    LoadedData loaded;
    if (block_.Shape == BlockShape::kRows) Transpose(loaded);
    Flush();
    loaded.Prepared.TextInDataFile = std::move(head_);
    loaded.Prepared.HeadLineCount = block_.First;
    loaded.Prepared.Data = DataText::FromNormalized(std::move(kept_));
    loaded.TextLeftOut = !keepText_;
    loaded.Columns = std::move(columns_);
    loaded.Missing = MissingValues::kAreGaps;
    if (block_.Shape != BlockShape::kRows) {
      if (!names_.empty()) {
        loaded.ColumnNames.push_back(names_[choice_.X]);
        for (const std::size_t y : choice_.Y) loaded.ColumnNames.push_back(names_[y]);
      }
      for (std::size_t c = 0; c < fileColumns_.size(); ++c) {
        if (fileColumns_[c].empty()) fileColumns_[c] = "column " + std::to_string(c + 1);
      }
    }
    loaded.FileColumns = std::move(fileColumns_);
    loaded.Note = choice_.Note;
    if (block_.Shape == BlockShape::kTagged && !block_.OtherTags.empty()) {
      AddNote(loaded.Note, "the rows tagged " + block_.Tag + " are drawn; the file also holds " +
                               Listed(block_.OtherTags));
    }
    if (rowCount_ > kMaxCurves) {
      AddNote(loaded.Note, "the file holds " + std::to_string(rowCount_) +
                               " spectra in rows; the first " + std::to_string(kMaxCurves) +
                               " are drawn");
    }
    reading.Data = std::move(loaded);
    return reading;
  }

 private:
  static void AddNote(std::string& note, const std::string& more) {
    note += note.empty() ? more : "; " + more;
  }

  static std::string Listed(const std::vector<std::string>& tags) {
    std::string out;
    for (std::size_t i = 0; i < tags.size(); ++i) {
      out += i == 0 ? "" : i + 1 == tags.size() ? " and " : ", ";
      out += tags[i];
    }
    return out;
  }

  void Choose(std::size_t columns) {
    names_ = HeadColumnNames(head_, columns);
    fileColumns_ = names_;
    fileColumns_.resize(columns);
    choice_ = ChooseColumns(names_, columns, request_, block_.First + 1);
    error_ = choice_.Error;
  }

  bool IsTagged(std::string_view line) const {
    FieldCursor cursor(line, block_.Separator);
    std::string_view tag;
    if (!cursor.Next(tag) || tag != block_.Tag) return false;
    std::size_t count = 1;
    for (std::string_view field; cursor.Next(field);) ++count;
    return count == block_.Fields;
  }

  void Field(std::string_view field) {
    if (IsMissingValue(field)) {
      text_ += "nan";
      return;
    }
    for (const char c : field) text_ += block_.DecimalComma && c == ',' ? '.' : c;
  }

  void Convert(std::string_view line, std::size_t skip) {
    fields_.clear();
    FieldCursor cursor(line, block_.Separator);
    for (std::string_view field; cursor.Next(field);) fields_.push_back(field);
    const auto put = [&](std::size_t column) {
      const std::size_t at = column + skip;
      if (at < fields_.size()) Field(fields_[at]);
    };
    put(choice_.X);
    for (const std::size_t y : choice_.Y) {
      text_ += ' ';
      put(y);
    }
    text_ += '\n';
    if (text_.size() >= kChunk) Flush();
  }

  void Flush() {
    if (text_.empty()) return;
    if (keepText_) kept_ += text_;
    columns_.Append(DataText::FromNormalized(std::move(text_)), MissingValues::kAreGaps,
                    block_.Shape == BlockShape::kRows ? block_.Fields : block_.Lines);
    text_.clear();
  }

  // A row of a table of spectra in rows, kept with points for decimals: the first holds x.
  void KeepRow(std::string_view line, bool xRow) {
    if (!xRow && ++rowCount_ > kMaxCurves) return;
    FieldCursor cursor(line, block_.Separator);
    std::string_view field;
    std::string row;
    if (xRow && block_.Corner) {
      cursor.Next(field);
    } else if (!xRow && (block_.NamedRows || block_.Corner) && cursor.Next(field)) {
      rowNames_.emplace_back(field);
    } else if (!xRow) {
      rowNames_.push_back("row " + std::to_string(rows_.size()));
    }
    while (cursor.Next(field)) {
      if (!row.empty()) row += ' ';
      if (IsMissingValue(field)) {
        row += "nan";
        continue;
      }
      for (const char c : field) row += block_.DecimalComma && c == ',' ? '.' : c;
    }
    rows_.push_back(std::move(row));
  }

  // One line per x value, the kept rows' values beside it.
  void Transpose(LoadedData& loaded) {
    if (rows_.size() > kMaxCurves + 1) rows_.resize(kMaxCurves + 1);
    std::vector<std::string_view> rest(rows_.begin(), rows_.end());
    for (std::size_t j = 0, n = block_.Fields - (block_.Corner ? 1 : 0); j < n; ++j) {
      for (std::size_t r = 0; r < rest.size(); ++r) {
        if (r > 0) text_ += ' ';
        const std::size_t end = std::min(rest[r].find(' '), rest[r].size());
        text_ += rest[r].substr(0, end);
        rest[r].remove_prefix(std::min(end + 1, rest[r].size()));
      }
      text_ += '\n';
    }
    loaded.ColumnNames.push_back("");
    for (std::size_t r = 0; r + 1 < rows_.size(); ++r) loaded.ColumnNames.push_back(rowNames_[r]);
    loaded.FileColumns = loaded.ColumnNames;
  }

  DataBlockSpan block_;
  ColumnRequest request_;
  bool keepText_;
  std::size_t line_ = 0;
  std::string head_;
  std::string error_;
  std::vector<std::string> names_, fileColumns_;
  ColumnChoice choice_;
  std::vector<std::string_view> fields_;  // of the line being converted, reused
  std::string text_, kept_;
  NumericColumns columns_;
  std::vector<std::string> rows_, rowNames_;
  std::size_t rowCount_ = 0;
};

}  // namespace

BlockReading ReadDataBlock(const ByteSource& source, const ColumnRequest& request, bool keepText) {
  BlockReading reading;
  BlockScan scan;
  if (!EachLine(source, reading.Streamable, [&scan](std::string_view line) { scan.Add(line); })) {
    if (reading.Streamable) reading.Error = "the file could not be read";
    return reading;
  }
  const DataBlockSpan block = scan.Result();
  const std::size_t dataFields =
      block.Shape == BlockShape::kTagged ? block.Fields - 1 : block.Fields;
  if (block.Lines < 2 || dataFields < 2) {
    reading.Error = "no data block";
    return reading;
  }
  BlockReader reader(block, request, keepText);
  if (!EachLine(source, reading.Streamable,
                [&reader](std::string_view line) { reader.Line(line); })) {
    if (reading.Streamable) reading.Error = "the file could not be read";
    return reading;
  }
  return reader.Finish();
}

std::optional<DataBlockSpan> ScanDataBlock(const ByteSource& source) {
  bool streamable = true;
  BlockScan scan;
  if (!EachLine(source, streamable, [&scan](std::string_view line) { scan.Add(line); })) {
    return std::nullopt;
  }
  return scan.Result();
}

ByteSource TextSource(std::string_view text) {
  return [text](const std::function<void(std::string_view)>& take) {
    take(text);
    return true;
  };
}

std::vector<std::string> ListFileColumns(const std::string& path, std::string& error) {
  BlockReading read = ReadDataBlock(FileSource(path, error), {}, false);
  if (!read.Data) {
    if (error.empty()) error = read.Error;
    return {};
  }
  return read.Data->FileColumns;
}

}  // namespace kurvex
