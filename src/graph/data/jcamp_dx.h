#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// True when the text starts with "##TITLE=" after blanks and line breaks (a UTF-8 BOM already
/// removed by the caller). The label is compared the way JCAMP-DX compares labels, so
/// "## Title =" counts too.
bool LooksLikeJcampDx(std::string_view text);

struct JcampDxError {
  std::size_t Line = 0;  // 1-based line of the file
  std::string Message;
};

struct JcampDxData {
  /// The labelled data records of the drawn block before its table, one per line
  /// "##LABEL=value" (a value spread over lines joined by blanks, comments cut), joined by CR LF.
  std::string HeadText;
  std::string Title, XUnits, YUnits, DataType;
  std::vector<double> X, Y;           // one point per entry; a missing value ("?") is a quiet NaN
  std::vector<std::size_t> Lines;     // for each point, the 1-based file line it came from
  bool PeakTable = false;             // ##PEAK TABLE= (drawn with symbols only by the caller)
  std::size_t BlockCount = 0;         // blocks with a table in the file; the first is decoded
  std::optional<JcampDxError> Error;  // first failure; X/Y hold everything before its line
};

/// Decodes the first block with a table: ##XYDATA=(X++(Y..Y)) or (XY..XY), ##XYPOINTS= or
/// ##PEAK TABLE= with (XY..XY), (XYW..XYW) or (XYM..XYM), in AFFN or any ASDF form, with the
/// DIF y check and the abscissa check of each line. Never throws on bad input; the points it
/// keeps are bounded by 16 per byte of text.
JcampDxData ReadJcampDx(std::string_view text);

}  // namespace kurvex
