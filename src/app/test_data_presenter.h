#pragma once

// The test data editor: the factory's calibration values with an edit field (0-22), loaded from
// and saved to .ted files. Every change of a field is read back at once as a decimal number and
// brought into the field's range, so a field always shows the value that OK would store.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_context.h"
#include "app/workspace.h"
#include "editors/presenter.h"
#include "model/test_mode_data.h"

namespace hvt {

class TestDataPresenter final : public DialogPresenter {
 public:
  // Longer input would not fit the signed 32-bit values.
  static constexpr std::size_t kMaxDigits = 10;

  struct ViewState {
    std::string Title;
    std::string LoadText;
    std::string SaveText;
    std::string OkText;
    std::string CancelText;
    std::array<std::string, kTestValueFieldCount> Labels;  // "#5" where the value has no name
    std::array<TextField, kTestValueFieldCount> Fields;
  };

  TestDataPresenter(AppContext& context, Workspace& workspace, Prompter& prompter);

  const ViewState& State() const { return state_; }
  const TestModeData& WorkingCopy() const { return copy_; }

  // What a typed character becomes: digits and the letters A-F (upper-cased) pass, as do control
  // characters (backspace); anything else is refused.
  static std::optional<char32_t> TypedCharacter(char32_t typed);

  // The text of field `index` after the user changed it: read as a decimal number (0 when it is
  // not one), clamped to the field's range and shown so. A text with more than kMaxDigits digits
  // is refused and the field keeps its value.
  void ChangeField(int index, std::string_view text);

  // The file commands; both tell a file error and then change nothing.
  void Load();
  void Save();

  [[nodiscard]] bool Ok() override;

 private:
  void ShowValues();

  Workspace& workspace_;
  TestModeData copy_;
  std::string fileFilter_;
  ViewState state_;
};

}  // namespace hvt
