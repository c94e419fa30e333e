#include "graph/data/data_block.h"

#include <algorithm>
#include <cmath>

#include "common/number_text.h"
#include "common/text_utils.h"
#include "graph/data/numeric_columns.h"
#include "graph/data/streamed_data.h"

namespace kurvex {

namespace {

constexpr std::array<char, 5> kSeparators = {';', '\t', '|', ',', ' '};
constexpr std::size_t kMaxTags = 32;  // a head of key-value lines must not grow the list
// A row of x values spaced more unevenly than this is no axis.
constexpr double kMaxStepRatio = 4;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// A separator no line holds: the whole line is one field.
constexpr char kNoSeparator = '\n';

}  // namespace

BlockScan::LineRead BlockScan::Read(std::string_view line, char separator, bool decimalComma) {
  LineRead r;
  FieldCursor cursor(line, separator);
  std::string_view field;
  while (cursor.Next(field)) {
    double value = 0;
    const bool number = ParseBlockField(field, decimalComma, value);
    if (number) {
      ++r.numbers;
    } else if (!IsMissingValue(field)) {
      if (r.fields > 0) {
        r.allData = r.firstText = r.tagWord = false;
        return r;
      }
      r.allData = false;
      r.firstText = true;
      r.tagWord = IsTagWord(field);
    }
    ++r.fields;
  }
  return r;
}

namespace {

// Whether the fields of a line of numbers rise or fall evenly, as an axis of x values does;
// `corner` tells that an empty or text field stands before them, above the rows' names.
bool Evenly(std::string_view line, char separator, bool decimalComma, bool& corner) {
  FieldCursor cursor(line, separator);
  std::string_view field;
  double previous = 0, low = 0, high = 0;
  int sign = 0;
  std::size_t count = 0;
  corner = false;
  for (bool first = true; cursor.Next(field); first = false) {
    double value = 0;
    if (!ParseBlockField(field, decimalComma, value)) {
      if (!first) return false;
      corner = true;
      continue;
    }
    if (count > 0) {
      const double step = value - previous;
      const int s = step > 0 ? 1 : step < 0 ? -1 : 0;
      if (s == 0 || (sign != 0 && s != sign)) return false;
      sign = s;
      low = count == 1 ? std::abs(step) : std::min(low, std::abs(step));
      high = std::max(high, std::abs(step));
    }
    previous = value;
    ++count;
  }
  return count >= 3 && high <= kMaxStepRatio * low;
}

}  // namespace

FieldCursor::FieldCursor(std::string_view line, char separator)
    : rest_(Trimmed(line)), separator_(separator), done_(rest_.empty()) {
  if (separator != ' ' && !rest_.empty() && rest_.back() == separator) rest_.remove_suffix(1);
}

bool FieldCursor::Next(std::string_view& field) {
  if (done_) return false;
  if (separator_ == ' ') {
    std::size_t end = 0;
    while (end < rest_.size() && !IsBlank(rest_[end])) ++end;
    field = rest_.substr(0, end);
    while (end < rest_.size() && IsBlank(rest_[end])) ++end;
    rest_.remove_prefix(end);
    done_ = rest_.empty();
    return true;
  }
  const std::size_t end = rest_.find(separator_);
  if (end == std::string_view::npos) {
    field = Trimmed(rest_);
    done_ = true;
    return true;
  }
  field = Trimmed(rest_.substr(0, end));
  rest_.remove_prefix(end + 1);
  return true;
}

bool ParseBlockField(std::string_view field, bool decimalComma, double& value) {
  if (!decimalComma || field.find(',') == std::string_view::npos) {
    return TryParseDataField(field, value);
  }
  char copy[64];
  if (field.size() > sizeof copy) return false;  // no number is that long
  for (std::size_t i = 0; i < field.size(); ++i) copy[i] = field[i] == ',' ? '.' : field[i];
  return TryParseDataField(std::string_view(copy, field.size()), value);
}

bool IsTagWord(std::string_view field) {
  if (field.empty() || field.size() > 16 || !IsLetter(field.front())) return false;
  if (IsMissingValue(field)) return false;
  return std::all_of(field.begin(), field.end(),
                     [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; });
}

BlockScan::BlockScan() {
  std::size_t i = 0;
  for (const char separator : kSeparators) {
    // A comma that separates columns is no decimal comma; with any other separator both
    // readings are tried, and the run decides.
    for (const bool decimalComma : {false, true}) {
      if (decimalComma && separator == ',') continue;
      candidates_[i].separator = separator;
      candidates_[i].decimalComma = decimalComma;
      ++i;
    }
  }
}

void BlockScan::EndRows(Candidate& c) {
  if (c.rows.length > c.bestRows.length) c.bestRows = c.rows;
  c.rows = {};
}

void BlockScan::AddTo(Candidate& c, std::string_view line, const LineRead& r) {
  // A block needs two fields at least: a lone number per line is a count or a page number.
  const std::size_t fields = r.allData && r.numbers > 0 && r.fields >= 2 ? r.fields : 0;
  bool starts = false;
  if (fields != 0 && fields == c.run.fields) {
    ++c.run.length;
  } else {
    if (c.run.length > c.best.length) c.best = c.run;
    c.run = {line_, fields != 0 ? 1u : 0u, fields};
    starts = fields != 0;
  }

  // A row names itself in a field more than the x values, or in the corner's column.
  const bool named =
      r.firstText && r.numbers > 0 && r.fields == c.rows.fields + (c.rows.corner ? 0 : 1);
  if (c.rows.length > 0) {
    const bool continues = c.rows.length == 1 || c.rows.corner
                               ? (fields == c.rows.fields || named)
                               : (c.rows.named ? named : fields == c.rows.fields);
    if (continues) {
      if (c.rows.length == 1) c.rows.named = named;
      ++c.rows.length;
    } else {
      EndRows(c);
    }
  }
  bool corner = false;
  if (c.rows.length == 0 && starts && fields >= 3 &&
      Evenly(line, c.separator, c.decimalComma, corner)) {
    c.rows = {line_, 1, fields, false, corner};
  }

  if (r.firstText && r.tagWord && r.numbers > 0 && r.fields >= 3) {
    FieldCursor cursor(line, c.separator);
    std::string_view tag;
    cursor.Next(tag);
    const auto it = std::find_if(c.tags.begin(), c.tags.end(),
                                 [tag](const TagRows& t) { return t.tag == tag; });
    if (it != c.tags.end()) {
      if (it->fields == r.fields) ++it->count;
    } else if (c.tags.size() < kMaxTags) {
      c.tags.push_back({std::string(tag), line_, r.fields, 1});
    }
  }
}

// Most candidates read a line alike: a separator the line lacks leaves it one field, and a
// decimal comma changes nothing in a line without commas. Each distinct reading is made once.
void BlockScan::Add(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  // A blank line between lines that are no data changes nothing: millions of them cost a test.
  if (idle_ && trimmed.empty()) {
    ++line_;
    return;
  }
  const bool comma = trimmed.find(',') != std::string_view::npos;
  const bool blank = trimmed.find_first_of(" \t") != std::string_view::npos;
  struct Kept {
    char separator;
    bool decimalComma;
    LineRead read;
  };
  std::array<Kept, 9> kept;
  std::size_t keptCount = 0;
  for (Candidate& c : candidates_) {
    const bool present =
        c.separator == ' ' ? blank : trimmed.find(c.separator) != std::string_view::npos;
    const char separator = present ? c.separator : kNoSeparator;
    const bool decimalComma = c.decimalComma && comma;
    const auto it = std::find_if(kept.begin(), kept.begin() + keptCount, [&](const Kept& k) {
      return k.separator == separator && k.decimalComma == decimalComma;
    });
    if (it == kept.begin() + keptCount) {
      kept[keptCount++] = {separator, decimalComma, Read(line, separator, decimalComma)};
      AddTo(c, line, kept[keptCount - 1].read);
    } else {
      AddTo(c, line, it->read);
    }
  }
  idle_ = std::all_of(candidates_.begin(), candidates_.end(),
                      [](const Candidate& c) { return c.run.length == 0 && c.rows.length == 0; });
  ++line_;
}

DataBlockSpan BlockScan::Result() const {
  const auto span = [](std::size_t first, std::size_t lines, std::size_t fields, const Candidate& c,
                       BlockShape shape) {
    DataBlockSpan s;
    s.First = first;
    s.Lines = lines;
    s.Fields = fields;
    s.Separator = c.separator;
    s.DecimalComma = c.decimalComma;
    s.Shape = shape;
    return s;
  };
  DataBlockSpan plain, rows, tagged;
  for (const Candidate& c : candidates_) {
    const Run& run = c.run.length > c.best.length ? c.run : c.best;
    if (run.length > plain.Lines) {
      plain = span(run.start, run.length, run.fields, c, BlockShape::kColumns);
    }
    const Run& r = c.rows.length > c.bestRows.length ? c.rows : c.bestRows;
    if (r.length > rows.Lines) {
      rows = span(r.start, r.length, r.fields, c, BlockShape::kRows);
      rows.NamedRows = r.named;
      rows.Corner = r.corner;
    }
    // The first record word with rows enough is the one drawn.
    const auto first =
        std::find_if(c.tags.begin(), c.tags.end(), [](const TagRows& t) { return t.count >= 2; });
    if (first != c.tags.end() && first->count > tagged.Lines) {
      tagged = span(first->first, first->count, first->fields, c, BlockShape::kTagged);
      tagged.Tag = first->tag;
      for (const TagRows& t : c.tags) {
        if (&t != &*first && t.count >= 2) tagged.OtherTags.push_back(t.tag);
      }
    }
  }
  // Spectra in rows: a line of x values, then rows of one name and as many numbers, or of as
  // many fields (names under a corner, or numbers only) when the lines are fewer than the
  // fields (a plain table is longer than it is wide).
  if (rows.Lines >= 2 && (rows.NamedRows ? rows.Lines > plain.Lines
                                         : rows.Fields >= 8 && rows.Fields > rows.Lines &&
                                               rows.Lines >= plain.Lines)) {
    return rows;
  }
  if (tagged.Lines >= 2 && tagged.Lines > plain.Lines) return tagged;
  return plain;
}

DataBlockSpan FindDataBlock(std::string_view text) {
  BlockScan scan;
  ForEachLine(text, [&scan](std::string_view line) { scan.Add(line); });
  return scan.Result();
}

}  // namespace kurvex
