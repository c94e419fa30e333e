#include "shell/graph_window/overlay_files.h"

#include <QScopeGuard>

#include "graph/data/data_error.h"
#include "graph/graph_engine.h"
#include "graph/overlay_drawing.h"
#include "shell/kit/painting_off.h"

namespace kurvex::shell {

void OverlayFiles::SetFiles(std::vector<std::string> files, std::string current) {
  files_ = std::move(files);
  current_ = std::move(current);
  // Pictures drawn anew (SVG, PDF, scaled PNG) show every file, as the window does.
  if (Active()) {
    engine_.DrawPicture = [this](Canvas& document) { Draw(&document); };
  } else {
    engine_.DrawPicture = nullptr;
  }
}

bool OverlayFiles::Load(const std::string& path) {
  PaintingOff off(engine_.PaintEnabled);
  return engine_.LoadDataFile(path);
}

void OverlayFiles::Restore() {
  if (engine_.DataFilePath() != current_) Load(current_);
}

std::optional<std::string> OverlayFiles::Draw(Canvas* document) {
  const auto restore = qScopeGuard([this] { Restore(); });
  OverlayDrawing overlay(engine_);
  std::optional<std::string> problem;
  for (const std::string& path : files_) {
    if (!Load(path)) continue;
    try {
      overlay.DrawFile(document);
    } catch (const DataLineError& e) {
      // The file's curves up to the bad field stay, as a single file's do.
      if (!problem) problem = DataErrorMessage(engine_.DataFileName(), e);
    }
  }
  overlay.DrawLegend(document);
  return problem;
}

DataExtent OverlayFiles::Measure() {
  const auto restore = qScopeGuard([this] { Restore(); });
  DataExtent all;
  for (const std::string& path : files_) {
    if (Load(path)) all.Add(MeasureData(engine_.Columns()));
  }
  return all;
}

}  // namespace kurvex::shell
