#include "app/undo_history.h"

#include <utility>

#include "i18n/caption_title.h"

namespace hvt {

std::string StepLabel(std::string_view caption) { return CaptionAsTitle(caption); }

void UndoHistory::Record(std::string label, const Configuration& before, const Configuration& after) {
  if (before == after) return;
  undo_.push_back({std::move(label), before});
  if (undo_.size() > kDepth) undo_.pop_front();
  redo_.clear();
}

bool UndoHistory::Undo(Configuration& current) {
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  std::swap(step.Other, current);
  redo_.push_back(std::move(step));
  return true;
}

bool UndoHistory::Redo(Configuration& current) {
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  std::swap(step.Other, current);
  undo_.push_back(std::move(step));
  return true;
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

}  // namespace hvt
