#include "graph/data/column_choice.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "common/number_text.h"
#include "common/text_utils.h"
#include "graph/data/column_names.h"
#include "graph/data/streamed_data.h"

namespace kurvex {

namespace {

constexpr std::size_t kMaxCurves = 10;
constexpr std::size_t kMaxUnitLength = 16;

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Without blanks and tabs around, nor the CR of a CR LF line end.
std::string_view Blankless(std::string_view s) {
  s = TrimBlanks(s);
  if (!s.empty() && s.back() == '\r') s = TrimBlanks(s.substr(0, s.size() - 1));
  return s;
}

// A name without the units in brackets after it: "Raman Shift (cm-1)" is "raman shift".
std::string Base(std::string_view name) {
  const std::size_t bracket = name.find_first_of("([");
  return Lower(Blankless(name.substr(0, bracket)));
}

bool Contains(const std::string& s, std::string_view part) {
  return s.find(part) != std::string::npos;
}

bool StartsWithAny(const std::string& s, std::initializer_list<std::string_view> parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [&s](std::string_view p) { return s.starts_with(p); });
}

bool IsAnyOf(const std::string& s, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), s) != words.end();
}

// What a column name says the column holds.
enum class Kind { kIndex, kRaman, kTwoTheta, kAxis, kRaw, kProcessed, kOther };

Kind KindOf(std::string_view name, bool letterCodes) {
  const std::string base = Base(name);
  const std::string all = Lower(name);
  // The one-letter heads of some spectrometers' exports: wavelength, dark, reference, sample
  // and processed.
  if (letterCodes && base.size() == 1) {
    if (base == "w") return Kind::kAxis;
    if (base == "p") return Kind::kProcessed;
    if (IsAnyOf(base, {"d", "r", "s"})) return Kind::kRaw;
  }
  // No single letters: "n" is a refractive index, "t" a transmittance or a temperature.
  if (IsAnyOf(base, {"#", "no", "no.", "nr", "nr.", "num", "number", "idx", "pt", "sec", "row"}) ||
      StartsWithAny(base, {"pixel", "index", "time", "point", "scan", "channel", "frame", "elapsed",
                           "sample no", "#"}) ||
      base.ends_with("idx")) {
    return Kind::kIndex;
  }
  if (Contains(base, "raman") || base == "shift") return Kind::kRaman;
  if (Contains(all, "2theta") || Contains(all, "2-theta") || Contains(all, "2 theta") ||
      Contains(all, "2\xCE\xB8") || Contains(all, "two theta") || base == "2th") {
    return Kind::kTwoTheta;
  }
  if (Contains(base, "wavenumber") || Contains(base, "wave number") ||
      Contains(base, "wavelength") || Contains(base, "wave length") || base == "lambda" ||
      base == "\xCE\xBB" || base == "wl" || Contains(base, "energy") || base == "ev" ||
      Contains(base, "temperature") || base == "temp" || StartsWithAny(base, {"temp."})) {
    return Kind::kAxis;
  }
  if (Contains(base, "processed") || Contains(base, "subtracted") || Contains(base, "corrected")) {
    return Kind::kProcessed;
  }
  if (Contains(base, "raw") || Contains(base, "dark") || Contains(base, "reference") ||
      Contains(base, "background")) {
    return Kind::kRaw;
  }
  return Kind::kOther;
}

std::string NameOf(const std::vector<std::string>& names, std::size_t column) {
  return column < names.size() && !names[column].empty() ? names[column]
                                                         : "column " + std::to_string(column + 1);
}

std::string Described(const std::vector<std::string>& names, std::size_t column) {
  return NameOf(names, column) + " (column " + std::to_string(column + 1) + ")";
}

std::vector<std::string> Tokens(std::string_view text) {
  std::vector<std::string> tokens;
  if (Blankless(text).empty()) return tokens;
  for (std::size_t pos = 0;;) {
    const std::size_t end = text.find(',', pos);
    tokens.emplace_back(
        Blankless(text.substr(pos, end == std::string_view::npos ? end : end - pos)));
    if (end == std::string_view::npos) return tokens;
    pos = end + 1;
  }
}

// A column by number from 1 or by name: the whole name, or the name without its units.
bool Resolve(const std::string& token, const std::vector<std::string>& names, std::size_t columns,
             std::size_t fileLine, std::size_t& column, std::string& error) {
  if (!token.empty() &&
      std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const std::size_t number = token.size() > 9 ? SIZE_MAX : std::stoul(token);
    if (number == 0 || number > columns) {
      error = "line " + std::to_string(fileLine) + " has " + std::to_string(columns) +
              " columns, column " + token + " was asked for";
      return false;
    }
    column = number - 1;
    return true;
  }
  const std::string wanted = Lower(token);
  for (const bool whole : {true, false}) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if ((whole ? Lower(names[i]) : Base(names[i])) == wanted) {
        column = i;
        return true;
      }
    }
  }
  error = "no column named '" + token + "'";
  if (!names.empty()) {
    error += " (the columns are";
    for (std::size_t i = 0; i < names.size(); ++i) {
      error += i > 0 ? ", " : " ";
      error += names[i];
    }
    error += ")";
  }
  return false;
}

// The axis column a spectroscopist wants beside an index: Raman shift before 2θ before the
// first other axis.
std::optional<std::size_t> AxisColumn(const std::vector<Kind>& kinds) {
  for (const Kind wanted : {Kind::kRaman, Kind::kTwoTheta, Kind::kAxis}) {
    const auto it = std::find(kinds.begin(), kinds.end(), wanted);
    if (it != kinds.end()) return static_cast<std::size_t>(it - kinds.begin());
  }
  return std::nullopt;
}

bool IsAxisKind(Kind k) {
  return k == Kind::kRaman || k == Kind::kTwoTheta || k == Kind::kAxis;
}

// The columns chosen for the user: x when it is not asked for, the y columns when `chooseY`.
void ChooseForUser(const std::vector<std::string>& names, std::size_t columns, bool xAsked,
                   bool chooseY, ColumnChoice& choice) {
  const bool letterCodes = std::find(names.begin(), names.end(), "P") != names.end();
  std::vector<Kind> kinds;
  for (std::size_t i = 0; i < columns; ++i) {
    kinds.push_back(i < names.size() ? KindOf(names[i], letterCodes) : Kind::kOther);
  }
  bool xChosen = false;
  if (!xAsked && !names.empty() && kinds[0] == Kind::kIndex) {
    if (const auto axis = AxisColumn(kinds)) {
      choice.X = *axis;
      xChosen = true;
    }
  }
  if (xChosen) choice.Note = "x: " + Described(names, choice.X);
  if (!chooseY) return;
  const bool processed = std::count(kinds.begin(), kinds.end(), Kind::kProcessed) > 0 &&
                         std::count(kinds.begin(), kinds.end(), Kind::kRaw) > 0;
  // Another axis beside x (a wavenumber beside the wavelength, the wavelengths of a second
  // sample) is no curve, nor is an index or a time beside an axis.
  const bool xIsAxis = !names.empty() && IsAxisKind(kinds[choice.X]);
  const auto drawn = [&](std::size_t i) {
    if (i == choice.X || IsAxisKind(kinds[i])) return false;
    if (xIsAxis && kinds[i] == Kind::kIndex) return false;
    return !(processed && kinds[i] == Kind::kRaw);
  };
  for (std::size_t i = 0; i < columns && choice.Y.size() < kMaxCurves; ++i) {
    if (drawn(i)) choice.Y.push_back(i);
  }
  if (choice.Y.empty()) {
    for (std::size_t i = 0; i < columns && choice.Y.size() < kMaxCurves; ++i) {
      if (i != choice.X) choice.Y.push_back(i);
    }
  }
  if (processed) {
    choice.Note += choice.Note.empty() ? "y: " : ", y: ";
    for (std::size_t k = 0; k < choice.Y.size(); ++k) {
      if (k > 0) choice.Note += ", ";
      choice.Note += Described(names, choice.Y[k]);
    }
  }
}

}  // namespace

std::vector<std::string> HeadColumnNames(std::string_view headText, std::size_t columns) {
  std::string_view head = Blankless(headText);
  const auto lastLine = [](std::string_view& text) {
    const std::size_t lf = text.rfind('\n');
    const std::string_view line = lf == std::string_view::npos ? text : text.substr(lf + 1);
    text = lf == std::string_view::npos ? std::string_view() : text.substr(0, lf);
    return line;
  };
  // A '#' that comments the head out is no part of a name: "#Lambda", "##Temp./°C".
  const auto uncommented = [](std::vector<std::string> fields) {
    for (std::string& f : fields) {
      const std::size_t hashes = f.find_first_not_of('#');
      if (hashes != std::string::npos) f.erase(0, hashes);
    }
    return fields;
  };
  char separator = 0;
  std::vector<std::string> last =
      uncommented(SplitNames(lastLine(head), columns, true, &separator));
  if (last.empty()) return last;
  // Units are short words without blanks ("nm", "a.u.", "1/cm", "[K]"), under names split
  // the same way.
  const bool unitsRow =
      std::all_of(last.begin(), last.end(),
                  [](const std::string& f) {
                    double v = 0;
                    return f.size() <= kMaxUnitLength && f.find(' ') == std::string::npos &&
                           !TryParseDataField(f, v);
                  }) &&
      std::any_of(last.begin(), last.end(), [](const std::string& f) { return !f.empty(); });
  if (!unitsRow || head.empty()) return last;
  char namesSeparator = 0;
  std::vector<std::string> names =
      uncommented(SplitNames(lastLine(head), columns, true, &namesSeparator));
  if (names.empty() || namesSeparator != separator) return last;
  for (std::size_t i = 0; i < columns; ++i) {
    const std::string& unit = last[i];
    if (unit.empty()) continue;
    const bool bracketed = unit.front() == '(' || unit.front() == '[';
    if (names[i].empty()) {
      names[i] = unit;
    } else {
      names[i] += bracketed ? " " + unit : " (" + unit + ")";
    }
  }
  return names;
}

ColumnChoice ChooseColumns(const std::vector<std::string>& names, std::size_t columns,
                           const ColumnRequest& request, std::size_t fileLine) {
  ColumnChoice choice;
  if (columns == 0) return choice;
  const std::vector<std::string> ys = Tokens(request.Y);
  const bool xAsked = !Blankless(request.X).empty();
  if (xAsked && !Resolve(std::string(Blankless(request.X)), names, columns, fileLine, choice.X,
                         choice.Error)) {
    return choice;
  }
  ChooseForUser(names, columns, xAsked, ys.empty(), choice);
  for (const std::string& token : ys) {
    if (choice.Y.size() == kMaxCurves) break;
    std::size_t column = 0;
    if (!Resolve(token, names, columns, fileLine, column, choice.Error)) return choice;
    choice.Y.push_back(column);
  }
  return choice;
}

ColumnRequest ColumnRequestFor(std::size_t x, const std::vector<std::size_t>& y) {
  ColumnRequest request{std::to_string(x), {}};
  for (std::size_t i = 0; i < y.size(); ++i) {
    if (i > 0) request.Y += ',';
    request.Y += std::to_string(y[i]);
  }
  return request;
}

}  // namespace kurvex
