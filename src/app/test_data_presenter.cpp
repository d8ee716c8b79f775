#include "app/test_data_presenter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "i18n/text_keys.h"

namespace hvt {

namespace {

constexpr int kFirstModeOffset = 18;  // MODE 1-5 offset frequency follow

// The names of values 0-17; values 5, 15 and 16 have none.
constexpr std::array<std::optional<BuiltInText>, kFirstModeOffset> kLabels{
    BuiltInText::TestFrequencyAdjust,
    BuiltInText::TestLowPower,
    BuiltInText::TestMiddlePower,
    BuiltInText::TestHighPower,
    BuiltInText::TestSql,
    std::nullopt,
    BuiltInText::TestNarrowOffset,
    BuiltInText::TestMiddleOffset,
    BuiltInText::TestWideOffset,
    BuiltInText::TestWideCtcss,
    BuiltInText::TestMiddleCtcss,
    BuiltInText::TestNarrowCtcss,
    BuiltInText::TestWideDcs,
    BuiltInText::TestMiddleDcs,
    BuiltInText::TestNarrowDcs,
    std::nullopt,
    std::nullopt,
    BuiltInText::TestRxRssi,
};

// The decimal value of `text`, unclamped; 0 when it is not a number.
std::int64_t DecimalValue(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return 0;
  return value;
}

std::int32_t ClampFieldValue(int index, std::int64_t value) {
  const auto range = TestValueRangeOf(index);
  const std::int64_t low = range ? range->Min : std::numeric_limits<std::int32_t>::min();
  const std::int64_t high = range ? range->Max : std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::clamp(value, low, high));
}

}  // namespace

TestDataPresenter::TestDataPresenter(AppContext& context, Workspace& workspace, Prompter& prompter)
    : DialogPresenter(prompter), workspace_(workspace), copy_(workspace.TestValues()) {
  const LanguageTexts& texts = context.Texts();
  state_.Title = texts.BuiltIn(BuiltInText::TestDataTitle);
  state_.LoadText = texts.BuiltIn(BuiltInText::TestDataLoad);
  state_.SaveText = texts.BuiltIn(BuiltInText::TestDataSave);
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  for (int i = 0; i < kTestValueFieldCount; ++i) {
    auto& label = state_.Labels[static_cast<std::size_t>(i)];
    if (i >= kFirstModeOffset) {
      label = "MODE " + std::to_string(i - kFirstModeOffset + 1) + " " +
              std::string(texts.BuiltIn(BuiltInText::TestModeOffset));
    } else if (const auto name = kLabels[static_cast<std::size_t>(i)]) {
      label = texts.BuiltIn(*name);
    } else {
      label = "#" + std::to_string(i);  // the factory knows these values by their index alone
    }
  }
  fileFilter_ = std::string(texts.BuiltIn(BuiltInText::TestDataFileType)) + " (*.ted)|*.ted";
  ShowValues();
}

std::optional<char32_t> TestDataPresenter::TypedCharacter(char32_t typed) {
  if (typed < 0x20 || typed == 0x7F) return typed;
  if (typed >= '0' && typed <= '9') return typed;
  if (typed >= 'A' && typed <= 'F') return typed;
  if (typed >= 'a' && typed <= 'f') return typed - 'a' + 'A';
  return std::nullopt;
}

void TestDataPresenter::ChangeField(int index, std::string_view text) {
  if (index < 0 || index >= kTestValueFieldCount) return;
  auto& value = copy_.Values[static_cast<std::size_t>(index)];
  const std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
  if (digits.size() <= kMaxDigits) value = ClampFieldValue(index, DecimalValue(text));
  state_.Fields[static_cast<std::size_t>(index)].Text = std::to_string(value);
}

void TestDataPresenter::Load() {
  const auto path = prompter_.ChooseFileToOpen(fileFilter_);
  if (!path) return;
  TestModeData loaded = copy_;
  if (workspace_.LoadTestData(*path, loaded) != FileCommandResult::Done) return;
  copy_ = loaded;
  ClampTestValues(copy_);
  ShowValues();
}

void TestDataPresenter::Save() {
  const auto path = prompter_.ChooseFileToSave(fileFilter_, workspace_.TestDataFileName());
  if (!path) return;
  static_cast<void>(workspace_.SaveTestData(copy_, *path));
}

bool TestDataPresenter::Ok() {
  workspace_.TestValues() = copy_;
  return true;
}

void TestDataPresenter::ShowValues() {
  for (int i = 0; i < kTestValueFieldCount; ++i) {
    state_.Fields[static_cast<std::size_t>(i)].Text =
        std::to_string(copy_.Values[static_cast<std::size_t>(i)]);
  }
}

}  // namespace hvt
