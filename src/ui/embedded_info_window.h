#pragma once

// The radio's service information, read-only, in a modal window with a Close button.

#include <QDialog>

#include "app/app_context.h"
#include "editors/embedded_info_presenter.h"
#include "model/embedded_info.h"

namespace hvt {

class EmbeddedInfoWindow final : public QDialog {
  Q_OBJECT

 public:
  EmbeddedInfoWindow(const AppContext& context, const EmbeddedInfo& info, QWidget* parent);

 private:
  EmbeddedInfoPresenter presenter_;
};

void ShowEmbeddedInfoWindow(QWidget* parent, const AppContext& context, const EmbeddedInfo& info);

}  // namespace hvt
