#pragma once

// The window a read or a write shows while blocks go over the wire: the operation as its title,
// a bar and the percent done. It only shows; the operation closes it when it ends, whatever the
// outcome.

#include <string>

#include "i18n/language_texts.h"
#include "link/radio_protocol.h"

namespace hvt {

struct ProgressViewState {
  std::string Title;
  std::string Caption;
  int Percent = 0;  // 0-100
  std::string PercentText = "0%";
  std::string CancelText;
  bool Cancelling = false;  // the user asked the transfer to stop; it ends after the packet in flight
};

class ProgressPresenter {
 public:
  using ViewState = ProgressViewState;

  ProgressPresenter(OperationKind kind, const LanguageTexts& texts);

  const ViewState& State() const { return state_; }

  // Values outside 0-100 are shown as the nearest end, never as a bar or text out of range.
  void SetPercent(int percent);
  void Cancel() { state_.Cancelling = true; }

 private:
  ViewState state_;
};

}  // namespace hvt
