#pragma once

#include <QWidget>

#include "editors/special_call_presenter.h"

namespace hvt {

// The special-call window over the 5-tone editor. True when OK handed a code to the editor.
bool RunSpecialCallDialog(QWidget* parent, SpecialCallPresenter& presenter);

}  // namespace hvt
