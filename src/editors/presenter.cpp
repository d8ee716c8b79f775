#include "editors/presenter.h"

#include <utility>

namespace hvt {

int ChoiceList::SelectedValue(int fallback) const {
  return HasSelection() ? Entries[static_cast<std::size_t>(Selected)].Value : fallback;
}

int ChoiceList::IndexOf(int value) const {
  for (std::size_t i = 0; i < Entries.size(); ++i) {
    if (Entries[i].Value == value) return static_cast<int>(i);
  }
  return kNone;
}

bool ChoiceList::SelectValue(int value) {
  const int index = IndexOf(value);
  if (index == kNone) return false;
  Selected = index;
  return true;
}

void ChoiceList::SelectValueOrFirst(int value) {
  if (!SelectValue(value) && !Entries.empty()) Selected = 0;
}

ChoiceList ChoiceListOf(std::vector<ListEntry> entries, int value) {
  ChoiceList list{.Entries = std::move(entries)};
  list.SelectValueOrFirst(value);
  return list;
}

}  // namespace hvt
