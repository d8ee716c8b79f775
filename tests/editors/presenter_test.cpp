#include "editors/presenter.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

ChoiceList Powers() { return {.Entries = {{"Low", 0}, {"Mid", 1}, {"High", 2}, {"High again", 2}}}; }

TEST(ChoiceListTest, SelectsByValueAndKeepsTheSelectionForAnUnknownOne) {
  ChoiceList list = Powers();
  EXPECT_FALSE(list.HasSelection());
  EXPECT_EQ(list.SelectedValue(-7), -7);

  EXPECT_TRUE(list.SelectValue(2));
  EXPECT_EQ(list.Selected, 2) << "the first entry of a value is chosen";
  EXPECT_EQ(list.SelectedValue(-7), 2);

  EXPECT_FALSE(list.SelectValue(9));
  EXPECT_EQ(list.Selected, 2);
  EXPECT_EQ(list.IndexOf(9), ChoiceList::kNone);

  list.Selected = 4;  // past the end, as a list that shrank would leave it
  EXPECT_FALSE(list.HasSelection());
  EXPECT_EQ(list.SelectedValue(-7), -7);
}

// The smallest presenter that keeps the contract, for the compiler to check the concept against.
struct NameState {
  TextField Name;
  ChoiceList Power;
};

class NamePresenter final : public DialogPresenter {
 public:
  using ViewState = NameState;

  NamePresenter(std::string& name, Prompter& prompter) : DialogPresenter(prompter), name_(name) {
    state_.Name.Text = name;
    state_.Power = Powers();
  }
  const ViewState& State() const { return state_; }

  bool Ok() override {
    if (state_.Name.Text.empty()) {
      prompter_.Tell("a name, please", PromptIcon::Warning);
      return false;
    }
    name_ = state_.Name.Text;
    return true;
  }

 private:
  std::string& name_;
  ViewState state_;
};

static_assert(Presenter<NamePresenter>);
static_assert(!Presenter<NameState>);

}  // namespace
}  // namespace hvt
