#include "shell/pages/undo_history.h"

namespace kurvex::shell {

namespace {

// A long session of edits must not grow without bound; a hundred steps is more than anyone
// walks back through.
constexpr std::size_t kMaxSteps = 100;

}  // namespace

void UndoHistory::Record(const std::string& control, const GraphModel& before,
                         const GraphModel& after) {
  if (before == after) return;
  redo_.clear();
  if (!control.empty() && control == lastControl_ && !undo_.empty()) return;
  undo_.push_back(before);
  if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
  lastControl_ = control;
}

std::optional<GraphModel> UndoHistory::Undo(const GraphModel& current) {
  if (undo_.empty()) return std::nullopt;
  GraphModel step = std::move(undo_.back());
  undo_.pop_back();
  redo_.push_back(current);
  lastControl_.clear();
  return step;
}

std::optional<GraphModel> UndoHistory::Redo(const GraphModel& current) {
  if (redo_.empty()) return std::nullopt;
  GraphModel step = std::move(redo_.back());
  redo_.pop_back();
  undo_.push_back(current);
  lastControl_.clear();
  return step;
}

}  // namespace kurvex::shell
