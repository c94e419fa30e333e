#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/model.h"

namespace kurvex::shell {

/// The user's settings steps, as snapshots of the graph style taken before each step.
/// Consecutive changes through one control make one step, so typing "250" is undone at once.
class UndoHistory {
 public:
  /// Notes a change made through `control`; a change that left the style as it was is no step.
  void Record(const std::string& control, const GraphModel& before, const GraphModel& after);
  /// Ends the current step, so the next change starts a new one even through the same control.
  void Break() { lastControl_.clear(); }

  /// The style to go back to, or nothing; `current` becomes the redo step.
  std::optional<GraphModel> Undo(const GraphModel& current);
  std::optional<GraphModel> Redo(const GraphModel& current);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

 private:
  std::vector<GraphModel> undo_;
  std::vector<GraphModel> redo_;
  std::string lastControl_;
};

}  // namespace kurvex::shell
