#include "graph/data/xrdml.h"

#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <vector>

#include "common/number_text.h"

namespace kurvex {

namespace {

constexpr std::size_t kRecognisedWithin = 4096;

// The numbers of a list of blank-separated values; false at the first that is none.
bool Numbers(std::string_view text, std::vector<double>& values) {
  std::size_t pos = 0;
  while (true) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string_view::npos) return true;
    const std::size_t end = std::min(text.find_first_of(" \t\r\n", pos), text.size());
    double value = 0;
    if (!TryParseDataField(text.substr(pos, end - pos), value)) return false;
    values.push_back(value);
    pos = end;
  }
}

bool Number(const pugi::xml_node& node, double& value) {
  return node && TryParseDataField(node.child_value(), value);
}

// Where one line of the file starts, for the messages of the first line that fails.
std::string Failed(const std::string& why) {
  return "not an XRDML scan: " + why;
}

}  // namespace

bool LooksLikeXrdml(std::string_view text) {
  while (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::string_view start = text.substr(0, kRecognisedWithin);
  const std::size_t first = start.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && start[first] == '<' &&
         start.find("<xrdMeasurements") != std::string_view::npos;
}

LoadedData ReadXrdml(std::string_view text) {
  LoadedData loaded;
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    loaded.Failure = Failed(parsed.description());
    return loaded;
  }
  const pugi::xpath_node scan = document.select_node("//*[local-name()='scan']");
  const pugi::xml_node points = scan.node().child("dataPoints");
  if (!points) {
    loaded.Failure = Failed("no scan with data points");
    return loaded;
  }
  std::vector<double> y;
  pugi::xml_node counts = points.child("intensities");
  if (!counts) counts = points.child("counts");
  if (!counts || !Numbers(counts.child_value(), y) || y.size() < 2) {
    loaded.Failure = Failed("no list of counts");
    return loaded;
  }
  pugi::xml_node positions = points.find_child_by_attribute("positions", "axis", "2Theta");
  std::vector<double> x;
  double start = 0, end = 0;
  if (positions.child("listPositions")) {
    if (!Numbers(positions.child("listPositions").child_value(), x) || x.size() != y.size()) {
      loaded.Failure = Failed("the 2Theta list does not match the counts");
      return loaded;
    }
  } else if (Number(positions.child("startPosition"), start) &&
             Number(positions.child("endPosition"), end)) {
    const double step = (end - start) / static_cast<double>(y.size() - 1);
    for (std::size_t i = 0; i < y.size(); ++i) x.push_back(start + step * static_cast<double>(i));
  } else {
    loaded.Failure = Failed("no 2Theta start and end positions");
    return loaded;
  }
  std::string view;
  char buffer[64];
  for (std::size_t i = 0; i < x.size(); ++i) {
    auto r = std::to_chars(buffer, buffer + sizeof buffer, x[i]);
    view.append(buffer, r.ptr);
    view += ' ';
    r = std::to_chars(buffer, buffer + sizeof buffer, y[i]);
    view.append(buffer, r.ptr);
    view += '\n';
  }
  loaded.Prepared.Data = DataText(std::move(view));
  loaded.Columns = NumericColumns(std::move(x), std::move(y));
  const std::string unit = counts.attribute("unit").as_string("counts");
  loaded.ColumnNames = {"2Theta (\xC2\xB0)", unit};
  loaded.FileColumns = loaded.ColumnNames;
  loaded.Missing = MissingValues::kAreGaps;
  return loaded;
}

}  // namespace kurvex
