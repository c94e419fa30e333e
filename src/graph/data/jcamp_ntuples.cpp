#include "graph/data/jcamp_ntuples.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/text_utils.h"

namespace kurvex::jcamp {
namespace {

constexpr std::size_t kMaxCurves = 10;  // as many as a drawing takes

// The variables of a page's table: "(X++(R..R))" gives the x and the y of an equidistant
// table, "(XY..XY)" or "(XYW..XYW)" those of groups.
struct PageForm {
  bool Equidistant = false;
  std::string X, Y;
  std::size_t Group = 2;
};

std::optional<PageForm> ReadPageForm(const std::string& form) {
  if (form.size() < 6 || form.front() != '(' || form.back() != ')') return std::nullopt;
  const std::string inner = form.substr(1, form.size() - 2);
  if (const std::size_t plus = inner.find("++("); plus != std::string::npos) {
    const std::string rest = inner.substr(plus + 3);
    const std::string y = rest.substr(0, rest.find(".."));
    if (plus == 0 || y.empty() || rest != y + ".." + y + ")") return std::nullopt;
    return PageForm{true, inner.substr(0, plus), y, 0};
  }
  const std::string group = inner.substr(0, inner.find(".."));
  if (inner != group + ".." + group || (group.size() != 2 && group.size() != 3)) {
    return std::nullopt;
  }
  return PageForm{false, group.substr(0, 1), group.substr(1, 1), group.size()};
}

std::size_t EntryCount(std::string_view list) {
  return static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')) + 1;
}

// Where `symbol` stands in the ##SYMBOL= list of the head.
std::size_t SymbolIndex(const Records& head, const std::string& symbol) {
  const Record* r = head.Find("SYMBOL");
  if (!r) return kNone;
  for (std::size_t i = 0; i < EntryCount(r->Value); ++i) {
    std::string entry = ListEntry(r->Value, i);
    for (char& c : entry) c = Upper(c);
    if (entry == symbol) return i;
  }
  return kNone;
}

std::string ListText(const Records& head, std::string_view name, std::size_t index) {
  const Record* r = head.Find(name);
  return r ? ListEntry(r->Value, index) : std::string();
}

// What fixes a page's x: the head's lists for its variable, the page's own ##NPOINTS=, and
// the block's ##FIRSTX= and the like where the lists say nothing.
struct Axis {
  std::optional<double> First, Last, Count, Delta;
  double XFactor = 1;
};

Axis PageAxis(Decoding& decoding, const Records& outer, const Records& head, const Records& page,
              std::size_t x) {
  Axis axis;
  axis.XFactor = decoding.ListNumber(head, "FACTOR", x).value_or(1.0);
  axis.First = decoding.ListNumber(head, "FIRST", x);
  if (!axis.First) axis.First = decoding.Number(outer, "FIRSTX");
  axis.Last = decoding.ListNumber(head, "LAST", x);
  if (!axis.Last) axis.Last = decoding.Number(outer, "LASTX");
  axis.Count = decoding.Number(page, "NPOINTS");
  if (!axis.Count) axis.Count = decoding.ListNumber(head, "VARDIM", x);
  if (!axis.Count) axis.Count = decoding.Number(outer, "NPOINTS");
  axis.Delta = decoding.Number(outer, "DELTAX");
  return axis;
}

Records PageRecords(const Block& block, const Table& table, std::size_t headEnd) {
  return {&block.Records, table.Page == kNone ? headEnd : table.Page, table.Records};
}

void CutTo(std::size_t points, JcampDxData& out) {
  out.X.resize(std::min(out.X.size(), points));
  out.Y.resize(std::min(out.Y.size(), points));
  for (auto& y : out.MoreY) y.resize(std::min(y.size(), points));
  while (!out.Lines.empty() && out.Lines.back().FirstPoint >= points) out.Lines.pop_back();
}

}  // namespace

void DecodeNtuples(std::string_view text, const Block& block, const Table& first,
                   JcampDxData& out) {
  Decoding decoding(text, out);
  std::size_t headEnd = block.Ntuples + 1;
  while (headEnd < block.Records.size() && block.Records[headEnd].Name != "PAGE") ++headEnd;
  const Records outer{&block.Records, 0, block.Ntuples};
  const Records head{&block.Records, block.Ntuples + 1, headEnd};
  std::vector<const Table*> pages;
  for (const Table& t : block.Tables) {
    if (t.Name == "DATATABLE" && t.Records > block.Ntuples) pages.push_back(&t);
  }
  out.PageCount = pages.size();

  const auto [form, kind] = ParseForm(first.Value);
  const std::optional<PageForm> shape = ReadPageForm(form);
  const std::size_t x = shape ? SymbolIndex(head, shape->X) : kNone;
  const std::size_t y = shape ? SymbolIndex(head, shape->Y) : kNone;
  if (x == kNone || y == kNone) return decoding.Unsupported(first);
  if (out.XUnits.empty()) out.XUnits = ListText(head, "UNITS", x);
  if (out.YUnits.empty()) out.YUnits = ListText(head, "UNITS", y);
  const Axis axis = PageAxis(decoding, outer, head, PageRecords(block, first, headEnd), x);
  const double yFactor = decoding.ListNumber(head, "FACTOR", y).value_or(1.0);
  const JcampPointLimit limit = decoding.Limit(axis.Count);
  JcampTable decoder(&out.X, out.Y, &out.Lines, limit);
  if (decoding.Failed()) return;
  if (shape->Equidistant) {
    if (!decoding.StartEquidistant(decoder, first.Line, axis.First, axis.Last, axis.Count,
                                   axis.Delta, axis.XFactor, yFactor)) {
      return;
    }
    if (axis.Count && *axis.Count >= 1 && *axis.Count <= static_cast<double>(limit.Points)) {
      out.X.reserve(static_cast<std::size_t>(*axis.Count));
      out.Y.reserve(static_cast<std::size_t>(*axis.Count));
    }
  } else {
    decoder.StartGroups(shape->Group, axis.XFactor, yFactor);
    std::string upper(TrimBlanks(kind));
    for (char& c : upper) c = Upper(c);
    out.PeakTable = upper.find("PEAK") != std::string::npos;
  }
  decoding.DecodeLines(first, {}, decoder);
  out.DrawnPages = 1;
  if (!shape->Equidistant || decoding.Failed()) return;

  // Further pages of the same x (the imaginary part beside the real one) become curves.
  std::vector<std::string> drawn{shape->Y};
  for (const Table* page : pages) {
    if (page == &first || drawn.size() >= kMaxCurves) continue;
    const std::optional<PageForm> other = ReadPageForm(ParseForm(page->Value).first);
    if (!other || !other->Equidistant || other->X != shape->X ||
        std::find(drawn.begin(), drawn.end(), other->Y) != drawn.end()) {
      continue;
    }
    const std::size_t index = SymbolIndex(head, other->Y);
    if (index == kNone) continue;
    const Axis same = PageAxis(decoding, outer, head, PageRecords(block, *page, headEnd), x);
    if (same.Count != axis.Count || same.First != axis.First || same.Last != axis.Last) continue;
    const double factor = decoding.ListNumber(head, "FACTOR", index).value_or(1.0);
    std::vector<double> ys;
    ys.reserve(out.Y.size());
    JcampTable pageDecoder(nullptr, ys, nullptr, limit);
    if (!decoding.StartEquidistant(pageDecoder, page->Line, axis.First, axis.Last, axis.Count,
                                   axis.Delta, axis.XFactor, factor)) {
      return CutTo(0, out);
    }
    decoding.DecodeLines(*page, {}, pageDecoder);
    if (decoding.Failed()) {
      // The curves go as far as the failing page.
      ys.resize(std::min(ys.size(), out.Y.size()));
      CutTo(ys.size(), out);
      out.MoreY.push_back(std::move(ys));
      out.DrawnPages = 1 + out.MoreY.size();
      return;
    }
    if (ys.size() != out.Y.size()) continue;  // a page of another length is not drawn
    out.MoreY.push_back(std::move(ys));
    drawn.push_back(other->Y);
  }
  out.DrawnPages = 1 + out.MoreY.size();
}

}  // namespace kurvex::jcamp
