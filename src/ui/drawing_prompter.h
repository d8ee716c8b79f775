#pragma once

// A prompter that lets its window draw the presenter's state before any message appears, so that
// a message about a corrected value is read beside the corrected value, not the one typed.

#include <functional>
#include <utility>

#include "i18n/prompter.h"

namespace hvt {

class DrawingPrompter final : public Prompter {
 public:
  explicit DrawingPrompter(Prompter& shown) : shown_(shown) {}

  void SetDraw(std::function<void()> draw) { draw_ = std::move(draw); }

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    Draw();
    return shown_.Ask(text, buttons, icon);
  }
  PromptAnswer AskWithCheckBox(std::string_view text, PromptButtons buttons, PromptIcon icon,
                               std::string_view checkBoxText, bool& checked) override {
    Draw();
    return shown_.AskWithCheckBox(text, buttons, icon, checkBoxText, checked);
  }
  PromptAnswer AskWithReport(std::string_view text, std::string_view report, PromptButtons buttons,
                             PromptIcon icon) override {
    Draw();
    return shown_.AskWithReport(text, report, buttons, icon);
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view filter) override {
    return shown_.ChooseFileToOpen(filter);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view filter,
                                                        const std::filesystem::path& suggested) override {
    return shown_.ChooseFileToSave(filter, suggested);
  }
  std::optional<std::string> AskPassword(std::string_view remembered) override {
    return shown_.AskPassword(remembered);
  }

 private:
  void Draw() {
    if (draw_) draw_();
  }

  Prompter& shown_;
  std::function<void()> draw_;
};

}  // namespace hvt
