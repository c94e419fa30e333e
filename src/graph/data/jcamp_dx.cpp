#include "graph/data/jcamp_dx.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/text_utils.h"
#include "graph/data/jcamp_asdf.h"
#include "graph/data/jcamp_ntuples.h"
#include "graph/data/jcamp_records.h"

namespace kurvex {
namespace {

using jcamp::Block;
using jcamp::Decoding;
using jcamp::kNone;
using jcamp::LineReader;
using jcamp::Record;
using jcamp::Records;
using jcamp::Table;
using jcamp::Upper;

constexpr char kNoTable[] = "JCAMP-DX file holds no ##XYDATA=, ##XYPOINTS= or ##PEAK TABLE=";

// Labels match after upper case with blanks, '-', '/' and '_' dropped, as the standard says.
std::string NormalizeLabel(std::string_view label) {
  std::string name;
  for (const char c : label) {
    if (IsBlank(c) || c == '-' || c == '/' || c == '_') continue;
    name += Upper(c);
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
  return name == "XYDATA" || name == "XYPOINTS" || name == "PEAKTABLE" || name == "DATATABLE";
}

// Records whose following lines are data of their own, not more of the record's value.
bool HoldsOtherTable(const std::string& name) {
  return name == "PEAKASSIGNMENTS" || IsTableLabel(name);
}

void AppendJoined(std::string& to, std::string_view more) {
  if (more.empty()) return;
  if (!to.empty()) to += ' ';
  to += more;
}

// A spectrum is drawn in preference to a table of peaks.
int Rank(const Table& table) {
  return table.Name == "PEAKTABLE" ? 1 : 2;
}

void TakeNamedRecords(const Records& records, JcampDxData& out) {
  static constexpr std::pair<const char*, std::string JcampDxData::*> kNamed[] = {
      {"TITLE", &JcampDxData::Title},   {"DATATYPE", &JcampDxData::DataType},
      {"XUNITS", &JcampDxData::XUnits}, {"YUNITS", &JcampDxData::YUnits},
      {"ORIGIN", &JcampDxData::Origin}, {"OWNER", &JcampDxData::Owner}};
  for (std::size_t i = records.Begin; i < records.End; ++i) {
    const Record& r = (*records.All)[i];
    for (const auto& [name, field] : kNamed) {
      if (r.Name != name || !(out.*field).empty()) continue;
      out.*field = r.Value;
      if (!out.HeadText.empty()) out.HeadText += "\r\n";
      out.HeadText += r.Text;
    }
  }
}

// A table of a block outside ##NTUPLES=.
void DecodeTable(std::string_view text, const Block& block, const Table& table, JcampDxData& out) {
  Decoding decoding(text, out);
  const Records records{&block.Records, 0, table.Records};
  out.PeakTable = table.Name == "PEAKTABLE";
  const auto [form, rest] = jcamp::ParseForm(table.Value);
  const double xFactor = decoding.Number(records, "XFACTOR").value_or(1.0);
  const double yFactor = decoding.Number(records, "YFACTOR").value_or(1.0);
  const std::optional<double> count = decoding.Number(records, "NPOINTS");
  const JcampPointLimit limit = decoding.Limit(count);
  JcampTable decoder(&out.X, out.Y, &out.Lines, limit);
  if (decoding.Failed()) return;
  if (form == "(X++(Y..Y))" && table.Name == "XYDATA") {
    const std::optional<double> first = decoding.Number(records, "FIRSTX");
    const std::optional<double> last = decoding.Number(records, "LASTX");
    const std::optional<double> delta = decoding.Number(records, "DELTAX");
    if (!decoding.StartEquidistant(decoder, table.Line, first, last, count, delta, xFactor,
                                   yFactor)) {
      return;
    }
  } else if (form == "(XY..XY)") {
    decoder.StartGroups(2, xFactor, yFactor);
  } else if (form == "(XYW..XYW)" || form == "(XYM..XYM)") {
    decoder.StartGroups(3, xFactor, yFactor);
  } else {
    return decoding.Unsupported(table);
  }
  if (count && *count >= 1 && *count <= static_cast<double>(limit.Points)) {
    out.X.reserve(static_cast<std::size_t>(*count));
    out.Y.reserve(static_cast<std::size_t>(*count));
  }
  decoding.DecodeLines(table, rest, decoder);
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
  std::vector<Block> blocks;      // in the order they open
  std::vector<std::size_t> open;  // the open blocks, innermost last
  std::size_t page = kNone;       // the ##PAGE= record of the innermost block
  bool continues = false;         // the line may continue the last record's value
  for (LineReader reader(text); !reader.AtEnd(); reader.Next()) {
    const std::string_view line = reader.Line();
    std::optional<LabelLine> label = ParseLabel(line);
    if (!label) {
      if (continues && !open.empty() && !blocks[open.back()].Records.empty()) {
        Record& r = blocks[open.back()].Records.back();
        const std::string_view more = TrimBlanks(CutJcampComment(line));
        AppendJoined(r.Value, more);
        AppendJoined(r.Text, more);
      }
      continue;
    }
    continues = false;
    if (label->Name == "END") {
      if (!open.empty()) open.pop_back();
      page = kNone;
      continue;
    }
    if (label->Name == "TITLE" || open.empty()) {
      open.push_back(blocks.size());
      blocks.emplace_back();
      page = kNone;
    }
    Block& block = blocks[open.back()];
    const std::string_view value = TrimBlanks(CutJcampComment(label->Value));
    if (IsTableLabel(label->Name)) {
      block.Tables.push_back(
          {label->Name, value, reader.Number(), reader.Offset(), block.Records.size(), page});
      continue;
    }
    if (label->Name == "NTUPLES") block.Ntuples = block.Records.size();
    if (label->Name == "PAGE") page = block.Records.size();
    if (label->Name == "ENDNTUPLES") page = kNone;
    const std::string_view written = TrimBlanks(CutJcampComment(label->Text));
    block.Records.push_back(
        {label->Name, std::string(value), std::string(written), reader.Number()});
    continues = !HoldsOtherTable(label->Name);
  }

  // The block to draw: the first that holds a spectrum, or else the first with a table.
  const Block* chosen = nullptr;
  const Table* table = nullptr;
  for (const Block& block : blocks) {
    if (block.Tables.empty()) continue;
    ++out.BlockCount;
    for (const Table& t : block.Tables) {
      if (!table || Rank(t) > Rank(*table)) {
        chosen = &block;
        table = &t;
        out.DrawnBlock = out.BlockCount;
      }
    }
  }
  if (!table) {
    out.Error = JcampDxError{1, kNoTable};
    return out;
  }
  TakeNamedRecords({&chosen->Records, 0, std::min(table->Records, chosen->Ntuples)}, out);
  if (table->Name == "DATATABLE" && chosen->Ntuples != kNone && chosen->Ntuples < table->Records) {
    jcamp::DecodeNtuples(text, *chosen, *table, out);
  } else if (table->Name == "DATATABLE") {
    Decoding(text, out).Unsupported(*table);
  } else {
    DecodeTable(text, *chosen, *table, out);
  }
  return out;
}

}  // namespace kurvex
