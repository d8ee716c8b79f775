#pragma once

#include <cstddef>
#include <vector>

#include "link/radio_operation.h"
#include "support/scripted_prompter.h"

namespace hvt {

// Records what an operation reports; given the prompter, also how many messages the user had
// seen when the result came.
class RecordingObserver final : public RadioOperationObserver {
 public:
  std::vector<int> Progress;
  std::vector<OperationResult> Finished;
  std::size_t MessagesAtFinish = 0;
  const ScriptedPrompter* Prompter = nullptr;

  void OnProgress(int percent) override { Progress.push_back(percent); }
  void OnFinished(const OperationResult& result) override {
    Finished.push_back(result);
    if (Prompter != nullptr) MessagesAtFinish = Prompter->Messages.size();
  }
};

}  // namespace hvt
