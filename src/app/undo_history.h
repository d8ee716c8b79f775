#pragma once

// Undo and redo of changes to the configuration, as whole-configuration copies: a configuration
// is 45 KB, so a bounded stack of them is simpler and surer than undoing each kind of change.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "model/configuration.h"

namespace hvt {

// A menu caption as the name of a step: "&Edit Channel..." is "Edit Channel", "编辑信道(&E)..." is
// "编辑信道".
std::string StepLabel(std::string_view caption);

class UndoHistory {
 public:
  static constexpr std::size_t kDepth = 100;

  // The step `label` turned `before` into `after`; a step that changed nothing is not recorded.
  // A new step ends what could be redone.
  void Record(std::string label, const Configuration& before, const Configuration& after);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The step the next Undo or Redo takes back or again; empty when there is none.
  std::string_view UndoLabel() const { return undo_.empty() ? std::string_view() : undo_.back().Label; }
  std::string_view RedoLabel() const { return redo_.empty() ? std::string_view() : redo_.back().Label; }

  // Puts `current` back as it was before the last step, or again after it; false when there is none.
  bool Undo(Configuration& current);
  bool Redo(Configuration& current);

  void Clear();

 private:
  struct Step {
    std::string Label;
    Configuration Other;  // the configuration on the other side of the step
  };

  std::deque<Step> undo_;
  std::deque<Step> redo_;
};

}  // namespace hvt
