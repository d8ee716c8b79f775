#include "app/port_presenter.h"

#include <algorithm>
#include <utility>

#include "app/settings_files.h"
#include "i18n/text_keys.h"

namespace hvt {

PortPresenter::PortPresenter(AppContext& context, Prompter& prompter, PortLister lister)
    : DialogPresenter(prompter), context_(context), lister_(std::move(lister)) {
  const LanguageTexts& texts = context_.Texts();
  state_.Title = texts.LanguageText(text_key::PortDialogTitle);
  state_.Label = texts.LanguageText(text_key::PortLabel);
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  Fill(context_.PortName());
}

void PortPresenter::SelectEntry(int index) {
  const bool valid = index >= 0 && index < static_cast<int>(state_.Ports.Entries.size());
  state_.Ports.Selected = valid ? index : ChoiceList::kNone;
}

void PortPresenter::Refresh() { Fill(SelectedName()); }

std::string PortPresenter::SelectedName() const {
  return state_.Ports.HasSelection() ? names_[static_cast<std::size_t>(state_.Ports.Selected)]
                                     : std::string();
}

void PortPresenter::Fill(const std::string& wanted) {
  std::vector<SerialPortEntry> ports = lister_();
  // The virtual radio follows the real ports, whatever order the system lists them in.
  std::stable_partition(ports.begin(), ports.end(),
                        [](const SerialPortEntry& port) { return port.Name != kVirtualPortName; });

  names_.clear();
  state_.Ports.Entries.clear();
  for (const SerialPortEntry& port : ports) {
    std::string text;
    if (port.Name == kVirtualPortName) {
      text = context_.Texts().LanguageText(text_key::VirtualRadioPort);
      if (text.empty()) text = port.Name;
    } else {
      text = port.Description.empty() ? port.Name : port.Name + " (" + port.Description + ")";
    }
    state_.Ports.Entries.push_back({std::move(text), static_cast<int>(names_.size())});
    names_.push_back(port.Name);
  }

  const auto found = std::ranges::find(names_, wanted);
  if (names_.empty()) {
    state_.Ports.Selected = ChoiceList::kNone;
  } else {
    state_.Ports.Selected = found == names_.end() ? 0 : static_cast<int>(found - names_.begin());
  }
}

bool PortPresenter::Ok() {
  // Nothing to choose from: the saved port stays, rather than a "no port" that was never saved.
  if (!state_.Ports.HasSelection()) return true;
  const std::string previous = context_.PortName();
  const std::string chosen = SelectedName();
  context_.SetPortName(chosen);
  if (!context_.SavePortNumber()) {
    context_.SetPortName(previous);
    prompter_.Tell(context_.Texts().LanguageText(text_key::PortSaveFailed) + "\n" +
                       SetupFilePath(context_.Folders().Settings).string(),
                   PromptIcon::Critical);
    return true;
  }
  changed_ = chosen != previous;
  return true;
}

}  // namespace hvt
