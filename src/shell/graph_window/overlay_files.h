#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/axis_fit.h"

namespace kurvex {
class Canvas;
class GraphEngine;
}  // namespace kurvex

namespace kurvex::shell {

/// Data files selected together in the list, drawn into one picture as kurvex-plot --overlay
/// draws them: the first file in the style's colours, the later ones in the palette colours,
/// a legend naming every curve after its file. The engine holds one file's data at a time, so
/// each drawing reads the files again and ends holding the file the user clicked last.
class OverlayFiles {
 public:
  explicit OverlayFiles(GraphEngine& engine) : engine_(engine) {}

  /// The files in the list's order and the one clicked last among them; fewer than two files
  /// draw the loaded file alone again.
  void SetFiles(std::vector<std::string> files, std::string current);
  bool Active() const { return files_.size() > 1; }
  const std::vector<std::string>& Files() const { return files_; }

  /// Draws every file in turn onto the engine's surface (or onto `document`: a picture saved or
  /// copied), then the legend. A file that cannot
  /// be read is left out; the first data line that does not convert is returned as
  /// "b.xy:12: …", the files after it drawn all the same.
  std::optional<std::string> Draw(Canvas* document = nullptr);

  /// The values of all files together, as Fit to data needs them.
  DataExtent Measure();

 private:
  /// Loads a file without drawing; false when it cannot be read.
  bool Load(const std::string& path);
  /// The engine back at the file clicked last.
  void Restore();

  GraphEngine& engine_;
  std::vector<std::string> files_;
  std::string current_;
};

}  // namespace kurvex::shell
