#include "app/port_presenter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/settings_files.h"
#include "i18n/text_keys.h"

namespace hvt {

PortPathKind CheckPortPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) return PortPathKind::Missing;
  return std::filesystem::is_character_file(status) ? PortPathKind::Device : PortPathKind::NotADevice;
}

PortPresenter::PortPresenter(AppContext& context, Prompter& prompter, PortLister lister,
                             PortPathChecker checker)
    : DialogPresenter(prompter), context_(context), lister_(std::move(lister)), checker_(std::move(checker)) {
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
  typed_.reset();
  state_.PortText = valid ? state_.Ports.Entries[static_cast<std::size_t>(index)].Text : std::string();
}

void PortPresenter::EditPortText(std::string_view text) {
  typed_ = std::string(text);
  state_.PortText = *typed_;
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
  if (typed_) return;
  state_.PortText = state_.Ports.HasSelection()
                        ? state_.Ports.Entries[static_cast<std::size_t>(state_.Ports.Selected)].Text
                        : std::string();
}

std::optional<std::string> PortPresenter::TypedPort(std::string_view typed) {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (typed == state_.Ports.Entries[i].Text || typed == names_[i]) return names_[i];
  }
  const std::string path(typed);
  const auto refuse = [&](std::int32_t key) -> std::optional<std::string> {
    std::string text = context_.Texts().LanguageText(key);
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, path);
    prompter_.Tell(text, PromptIcon::Warning);
    return std::nullopt;
  };
  switch (checker_(path)) {
    case PortPathKind::Missing:
      return refuse(text_key::PortPathMissing);
    case PortPathKind::NotADevice:
      return refuse(text_key::PortPathNotDevice);
    case PortPathKind::Device:
      break;
  }
  return path;
}

bool PortPresenter::Ok() {
  std::string_view typed = typed_ ? std::string_view(*typed_) : std::string_view();
  // Blanks around a pasted path are not part of it.
  typed.remove_prefix(std::min(typed.find_first_not_of(" \t"), typed.size()));
  typed = typed.substr(0, typed.find_last_not_of(" \t") + 1);
  std::string chosen;
  if (!typed.empty()) {
    const std::optional<std::string> port = TypedPort(typed);
    if (!port) return false;
    chosen = *port;
  } else if (state_.Ports.HasSelection()) {
    chosen = SelectedName();
  } else {
    // Nothing to choose from: the saved port stays, rather than a "no port" that was never saved.
    return true;
  }
  const std::string previous = context_.PortName();
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
