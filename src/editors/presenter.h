#pragma once

// The contract every dialog's presenter keeps, so that views and tests look alike.
//
// A presenter holds what its dialog shows in one plain state struct: texts, list entries and
// their selections, enabled and visible flags, built from the small types below and nothing from
// Qt. It loads a working copy of the records it edits when it is made, and has one method per
// user event (SelectEntry, LeaveBox, ...), each of which updates the state. Ok() validates the
// working copy, writes it back to the records and says whether the dialog may close; Cancel()
// drops it. Every message or question goes through the Prompter it was given.
//
// A view builds its widgets once, then renders State() after every event it forwards; it keeps
// no copy of the data. A test drives the same methods and checks the same state:
//
//   ScanPresenter presenter(workspace.Current().Scan, texts, prompter);
//   presenter.SelectType(2);
//   EXPECT_FALSE(presenter.State().Priority.Enabled);
//   EXPECT_TRUE(presenter.Ok());

#include <concepts>
#include <string>
#include <vector>

#include "i18n/prompter.h"

namespace hvt {

// A text box or label.
struct TextField {
  std::string Text;
  bool Enabled = true;
  bool Visible = true;

  bool operator==(const TextField&) const = default;
};

// A check box or option button.
struct CheckField {
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;

  bool operator==(const CheckField&) const = default;
};

// One line of a list or combo box: what it shows and the value it stands for.
struct ListEntry {
  std::string Text;
  int Value = 0;

  bool operator==(const ListEntry&) const = default;
};

// A list or combo box with its selection.
struct ChoiceList {
  static constexpr int kNone = -1;

  std::vector<ListEntry> Entries;
  int Selected = kNone;  // an index into Entries
  bool Enabled = true;
  bool Visible = true;

  bool HasSelection() const { return Selected >= 0 && Selected < static_cast<int>(Entries.size()); }
  // The selected entry's value, or `fallback` when nothing is selected.
  int SelectedValue(int fallback) const;
  // The first entry standing for `value`; kNone when there is none.
  int IndexOf(int value) const;
  // Selects the first entry standing for `value`; without one the selection stays as it was and
  // the answer is false.
  bool SelectValue(int value);
  // Selects the entry standing for `value`, or the first entry when none does.
  void SelectValueOrFirst(int value);

  bool operator==(const ChoiceList&) const = default;
};

// A list of `entries` showing `value`, or its first entry when no entry stands for it.
ChoiceList ChoiceListOf(std::vector<ListEntry> entries, int value);

// What the view's buttons reach on every presenter.
class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  DialogPresenter(const DialogPresenter&) = delete;
  DialogPresenter& operator=(const DialogPresenter&) = delete;

  // Validates, writes back and answers whether the dialog may close. When it may not, the reason
  // has been shown and the state says where the user goes on (the field to correct).
  [[nodiscard]] virtual bool Ok() = 0;
  // The records stay as they were; most presenters have nothing to undo.
  virtual void Cancel() {}

 protected:
  explicit DialogPresenter(Prompter& prompter) : prompter_(prompter) {}
  Prompter& prompter_;
};

// A presenter as a view template takes it: the contract above and a state to render.
template <typename P>
concept Presenter = std::derived_from<P, DialogPresenter> && requires(const P& presenter) {
  typename P::ViewState;
  { presenter.State() } -> std::same_as<const typename P::ViewState&>;
};

}  // namespace hvt
