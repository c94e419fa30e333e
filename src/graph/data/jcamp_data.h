#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "graph/data/jcamp_table.h"

namespace kurvex {

struct JcampDxError {
  std::size_t Line = 0;  // 1-based line of the file
  std::string Message;
};

struct JcampDxData {
  /// The drawn block's ##TITLE=, ##DATA TYPE=, ##XUNITS=, ##YUNITS=, ##ORIGIN= and ##OWNER=
  /// records as written (a value spread over lines joined by blanks, comments cut), in the
  /// file's order, joined by CR LF.
  std::string HeadText;
  std::string Title, DataType, XUnits, YUnits, Origin, Owner;
  std::vector<double> X, Y;                // one point per entry; "?" is a quiet NaN
  std::vector<std::vector<double>> MoreY;  // further curves on the same x (NMR imaginary page)
  std::vector<JcampLine> Lines;            // where the lines of the x-giving table start
  bool PeakTable = false;                  // ##PEAK TABLE= (drawn with symbols only)
  std::size_t BlockCount = 0;              // blocks with a table in the file
  std::size_t DrawnBlock = 0;              // which of them is drawn, from 1
  std::size_t PageCount = 0;               // pages of the drawn block's ##NTUPLES= (0: none)
  std::size_t DrawnPages = 0;              // pages drawn as curves
  std::optional<JcampDxError> Error;       // first failure; the curves hold everything before it
};

}  // namespace kurvex
