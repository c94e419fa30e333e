#include "graph/data/jcamp_dx.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "common/text_utils.h"
#include "graph/data/jcamp_asdf.h"

namespace kurvex {
namespace {

constexpr char kCheckFailed[] = "JCAMP-DX check value does not match";
constexpr char kTooLarge[] = "JCAMP-DX table is larger than its file";
constexpr char kNoTable[] = "JCAMP-DX file holds no ##XYDATA=, ##XYPOINTS= or ##PEAK TABLE=";
constexpr char kNoAbscissa[] = "JCAMP-DX table needs ##FIRSTX=, ##LASTX= and ##NPOINTS=";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The lines of a text ended by CR LF, LF or CR, numbered from 1; a final break starts no line.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) { FindEnd(); }

  bool AtEnd() const { return start_ >= text_.size(); }
  std::string_view Line() const { return text_.substr(start_, end_ - start_); }
  std::size_t Number() const { return number_; }

  void Next() {
    std::size_t next = end_;
    if (next < text_.size() && text_[next] == '\r') ++next;
    if (next < text_.size() && text_[next] == '\n' && (next == end_ || text_[end_] == '\r')) {
      ++next;
    }
    start_ = next;
    ++number_;
    FindEnd();
  }

 private:
  void FindEnd() { end_ = std::min(text_.find_first_of("\r\n", start_), text_.size()); }

  std::string_view text_;
  std::size_t start_ = 0;
  std::size_t end_ = 0;
  std::size_t number_ = 1;
};

// Labels match after upper case with blanks, '-', '/' and '_' dropped, as the standard says.
std::string NormalizeLabel(std::string_view label) {
  std::string name;
  for (const char c : label) {
    if (IsBlank(c) || c == '-' || c == '/' || c == '_') continue;
    name += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return name;
}

struct LabelLine {
  std::string Name;        // normalised
  std::string_view Value;  // after '=', comment kept
  std::string_view Text;   // from "##" on
};

std::optional<LabelLine> ParseLabel(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (line.substr(start, 2) != "##") return std::nullopt;
  const std::size_t equals = std::min(line.find('=', start + 2), line.size());
  LabelLine label;
  label.Name = NormalizeLabel(line.substr(start + 2, equals - start - 2));
  label.Value = line.substr(std::min(equals + 1, line.size()));
  label.Text = line.substr(start);
  return label;
}

bool IsTableLabel(const std::string& name) {
  return name == "XYDATA" || name == "XYPOINTS" || name == "PEAKTABLE";
}

// Records whose following lines are data of their own, not more of the record's value.
bool HoldsOtherTable(const std::string& name) {
  return name == "DATATABLE" || name == "PEAKASSIGNMENTS" || name == "XYDATA" ||
         name == "XYPOINTS" || name == "PEAKTABLE";
}

struct Record {
  std::string Name;
  std::string Value;  // comment cut, trimmed, continuation lines joined by blanks
  std::string Text;   // "##LABEL=value" as written, comment cut
};

void AppendJoined(std::string& to, std::string_view more) {
  if (more.empty()) return;
  if (!to.empty()) to += ' ';
  to += more;
}

struct Block {
  bool HasTable = false;
  std::vector<Record> Records;
};

const Record* FindRecord(const std::vector<Record>& records, std::string_view name) {
  for (const Record& r : records) {
    if (r.Name == name) return &r;
  }
  return nullptr;
}

std::optional<double> NumberRecord(const std::vector<Record>& records, std::string_view name) {
  const Record* r = FindRecord(records, name);
  return r ? LeadingAffnNumber(r->Value) : std::nullopt;
}

// The variable list "(X++(Y..Y))" of a table label, blanks dropped and upper case, and the
// text after it on the same line.
std::pair<std::string, std::string_view> ParseForm(std::string_view value) {
  std::size_t pos = 0;
  while (pos < value.size() && IsBlank(value[pos])) ++pos;
  std::string form;
  int depth = 0;
  for (; pos < value.size(); ++pos) {
    const char c = value[pos];
    if (depth == 0 && c != '(') break;
    if (IsBlank(c)) continue;
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    form += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (depth == 0) {
      ++pos;
      break;
    }
  }
  return {form, value.substr(pos)};
}

bool SameValue(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b || std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

// Turns the lines of one table into points. Each line is decoded aside and kept only when it
// decodes whole, so a failure leaves the points of the lines before it.
class TableDecoder {
 public:
  TableDecoder(JcampDxData& out, std::size_t pointLimit) : out_(out), pointLimit_(pointLimit) {}

  /// (X++(Y..Y)): the abscissa comes from FIRSTX and DELTAX, the table's x only checks it.
  void StartEquidistant(double firstX, double deltaX, double xFactor, double yFactor) {
    equidistant_ = true;
    firstX_ = firstX;
    deltaX_ = deltaX;
    xFactor_ = xFactor;
    yFactor_ = yFactor;
    // Line x values are written in whole XFACTOR units, rounded or cut, by writers that may
    // sum DELTAX up with some drift: half a point allows for that, a point slipped is caught.
    xTolerance_ = std::max(std::abs(xFactor), std::abs(deltaX) / 2);
  }

  /// (XY..XY) with `groupSize` 2, or (XYW..XYW) and (XYM..XYM) with 3 (the third ignored).
  void StartGroups(std::size_t groupSize, double xFactor, double yFactor) {
    equidistant_ = false;
    groupSize_ = groupSize;
    xFactor_ = xFactor;
    yFactor_ = yFactor;
  }

  /// Decodes one line; false (and out_.Error set) when it fails.
  bool Decode(std::string_view line, std::size_t number) {
    if (const std::optional<std::string> error = ReadAsdfLine(CutJcampComment(line), tokens_)) {
      return Fail(number, *error);
    }
    if (tokens_.empty()) return true;
    const std::optional<std::string> error = equidistant_ ? DecodeYs(number) : DecodeGroups(number);
    return error ? Fail(number, *error) : true;
  }

 private:
  bool Fail(std::size_t number, std::string message) {
    out_.Error = JcampDxError{number, std::move(message)};
    return false;
  }

  bool Full(std::size_t more) const { return out_.Y.size() + ys_.size() + more > pointLimit_; }

  std::optional<std::string> DecodeYs(std::size_t number) {
    const AsdfToken& head = tokens_.front();
    if (head.Kind == AsdfKind::Difference || head.Kind == AsdfKind::Repeat) {
      return "JCAMP-DX table line does not start with an x value";
    }
    ys_.clear();
    double y = lastY_;  // a difference at the line start adds to the line before
    bool haveY = haveLastY_;
    std::optional<AsdfKind> before;  // form of the value a repeat count repeats
    double step = 0;
    for (std::size_t i = 1; i < tokens_.size(); ++i) {
      const AsdfToken& t = tokens_[i];
      if (t.Kind == AsdfKind::Repeat) {
        if (!before) return "JCAMP-DX repeat count has no value before it";
        if (Full(t.Count - 1)) return kTooLarge;
        for (std::size_t k = 1; k < t.Count; ++k) {
          if (*before == AsdfKind::Difference) y += step;
          ys_.push_back(y);
        }
        continue;
      }
      if (t.Kind == AsdfKind::Difference) {
        if (!haveY) return "JCAMP-DX difference has no value before it";
        step = t.Number;
        y += step;
      } else {
        y = t.Kind == AsdfKind::Missing ? kNaN : t.Number;
      }
      if (Full(1)) return kTooLarge;
      ys_.push_back(y);
      haveY = true;
      before = t.Kind;
    }

    // After a line in DIF form the next line starts with the same point again, as a check.
    std::size_t first = 0;
    std::size_t lineIndex = out_.Y.size();
    if (checkPending_) {
      --lineIndex;
      if (!ys_.empty()) {
        if (!SameValue(ys_.front(), lastY_)) return kCheckFailed;
        first = 1;
      }
    }
    if (head.Kind == AsdfKind::Value) {
      const double expected = firstX_ + static_cast<double>(lineIndex) * deltaX_;
      const double slack = xTolerance_ + 1e-9 * std::abs(expected);
      if (!(std::abs(head.Number * xFactor_ - expected) <= slack)) return kCheckFailed;
    }
    for (std::size_t i = first; i < ys_.size(); ++i) {
      out_.X.push_back(firstX_ + static_cast<double>(out_.X.size()) * deltaX_);
      out_.Y.push_back(ys_[i] * yFactor_);
      out_.Lines.push_back(number);
    }
    if (!ys_.empty()) {
      lastY_ = ys_.back();
      haveLastY_ = true;
      checkPending_ = before == AsdfKind::Difference;
    }
    return std::nullopt;
  }

  std::optional<std::string> DecodeGroups(std::size_t number) {
    for (const AsdfToken& t : tokens_) {
      if (t.Kind == AsdfKind::Difference || t.Kind == AsdfKind::Repeat) {
        return "JCAMP-DX table of x,y groups holds a DIF or DUP value";
      }
    }
    if (tokens_.size() % groupSize_ != 0) return "JCAMP-DX table line ends inside a point";
    if (Full(tokens_.size() / groupSize_)) return kTooLarge;
    for (std::size_t i = 0; i < tokens_.size(); i += groupSize_) {
      const AsdfToken& x = tokens_[i];
      const AsdfToken& y = tokens_[i + 1];
      out_.X.push_back(x.Kind == AsdfKind::Missing ? kNaN : x.Number * xFactor_);
      out_.Y.push_back(y.Kind == AsdfKind::Missing ? kNaN : y.Number * yFactor_);
      out_.Lines.push_back(number);
    }
    return std::nullopt;
  }

  JcampDxData& out_;
  std::size_t pointLimit_;
  std::vector<AsdfToken> tokens_;
  std::vector<double> ys_;
  bool equidistant_ = false;
  std::size_t groupSize_ = 2;
  double firstX_ = 0, deltaX_ = 0, xFactor_ = 1, yFactor_ = 1, xTolerance_ = 0;
  double lastY_ = kNaN;
  bool haveLastY_ = false;
  bool checkPending_ = false;
};

// The x of the first point and the spacing, from FIRSTX, LASTX and NPOINTS (the standard's
// definition of DELTAX); ##DELTAX only stands in when LASTX or NPOINTS is missing.
std::optional<std::pair<double, double>> Abscissa(const std::vector<Record>& records) {
  const std::optional<double> first = NumberRecord(records, "FIRSTX");
  const std::optional<double> last = NumberRecord(records, "LASTX");
  const std::optional<double> count = NumberRecord(records, "NPOINTS");
  const std::optional<double> delta = NumberRecord(records, "DELTAX");
  if (!first || !std::isfinite(*first)) return std::nullopt;
  std::optional<double> spacing;
  const bool wholeCount = count && *count >= 1 && *count == std::floor(*count);
  if (wholeCount && *count >= 2 && last) {
    spacing = (*last - *first) / (*count - 1);
  } else if (delta) {
    spacing = delta;
  } else if (wholeCount && *count == 1) {
    spacing = 0.0;
  }
  if (!spacing || !std::isfinite(*spacing)) return std::nullopt;
  return std::pair{*first, *spacing};
}

std::string Printable(std::string_view text, std::size_t limit) {
  std::string shown;
  for (const char c : text.substr(0, limit)) shown += c >= 0x20 && c < 0x7f ? c : '?';
  if (text.size() > limit) shown += "...";
  return shown;
}

bool IsLabelLine(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  return line.substr(start, 2) == "##";
}

// Fills the drawn block's fields and decodes its table, leaving `reader` on the first line
// after the table.
void DecodeTable(LineReader& reader, const std::vector<Record>& records, const LabelLine& label,
                 std::size_t pointLimit, JcampDxData& out) {
  for (const Record& r : records) {
    if (!out.HeadText.empty()) out.HeadText += "\r\n";
    out.HeadText += r.Text;
  }
  const auto text = [&](std::string_view name) {
    const Record* r = FindRecord(records, name);
    return r ? r->Value : std::string();
  };
  out.Title = text("TITLE");
  out.XUnits = text("XUNITS");
  out.YUnits = text("YUNITS");
  out.DataType = text("DATATYPE");
  out.PeakTable = label.Name == "PEAKTABLE";

  const std::size_t labelLine = reader.Number();
  const auto [form, rest] = ParseForm(CutJcampComment(label.Value));
  const double xFactor = NumberRecord(records, "XFACTOR").value_or(1.0);
  const double yFactor = NumberRecord(records, "YFACTOR").value_or(1.0);
  TableDecoder decoder(out, pointLimit);
  if (form == "(X++(Y..Y))" && label.Name == "XYDATA") {
    if (const auto abscissa = Abscissa(records)) {
      decoder.StartEquidistant(abscissa->first, abscissa->second, xFactor, yFactor);
    } else {
      out.Error = JcampDxError{labelLine, kNoAbscissa};
    }
  } else if (form == "(XY..XY)") {
    decoder.StartGroups(2, xFactor, yFactor);
  } else if (form == "(XYW..XYW)" || form == "(XYM..XYM)") {
    decoder.StartGroups(3, xFactor, yFactor);
  } else {
    const std::string shown = Printable(TrimBlanks(CutJcampComment(label.Value)), 40);
    out.Error = JcampDxError{labelLine, "JCAMP-DX table form '" + shown + "' is not supported"};
  }
  bool ok = !out.Error && decoder.Decode(rest, labelLine);
  for (reader.Next(); !reader.AtEnd() && !IsLabelLine(reader.Line()); reader.Next()) {
    if (ok) ok = decoder.Decode(reader.Line(), reader.Number());
  }
}

}  // namespace

bool LooksLikeJcampDx(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  const std::string_view line = text.substr(start, text.find_first_of("\r\n", start) - start);
  const std::optional<LabelLine> label = ParseLabel(line);
  return label && label->Name == "TITLE" && label->Text.find('=') != std::string_view::npos;
}

JcampDxData ReadJcampDx(std::string_view text) {
  JcampDxData out;
  // Sixteen points a byte leaves room for any honest use of DUP and stops a few bytes of repeat
  // counts from asking for gigabytes.
  const std::size_t pointLimit = 16 * text.size() + 16;
  std::vector<Block> blocks;  // the open blocks, innermost last
  bool tableFound = false;
  bool continues = false;  // the line may continue the last record's value
  for (LineReader reader(text); !reader.AtEnd();) {
    const std::string_view line = reader.Line();
    std::optional<LabelLine> label = ParseLabel(line);
    if (!label) {
      // Records are only kept until the drawn table is found; their head is all that is used.
      if (continues && !tableFound && !blocks.empty() && !blocks.back().Records.empty()) {
        Record& r = blocks.back().Records.back();
        const std::string_view more = TrimBlanks(CutJcampComment(line));
        AppendJoined(r.Value, more);
        AppendJoined(r.Text, more);
      }
      reader.Next();
      continue;
    }
    if (label->Name == "END") {
      if (!blocks.empty()) blocks.pop_back();
      continues = false;
      reader.Next();
      continue;
    }
    if (label->Name == "TITLE" || blocks.empty()) blocks.emplace_back();
    Block& block = blocks.back();
    if (IsTableLabel(label->Name)) {
      if (!block.HasTable) ++out.BlockCount;
      block.HasTable = true;
      if (!tableFound) {
        tableFound = true;
        DecodeTable(reader, block.Records, *label, pointLimit, out);
        continue;
      }
    } else if (!tableFound) {
      const std::string_view value = TrimBlanks(CutJcampComment(label->Value));
      const std::string_view written = TrimBlanks(CutJcampComment(label->Text));
      block.Records.push_back({label->Name, std::string(value), std::string(written)});
    }
    continues = !HoldsOtherTable(label->Name);
    reader.Next();
  }
  if (!tableFound) out.Error = JcampDxError{1, kNoTable};
  return out;
}

}  // namespace kurvex
