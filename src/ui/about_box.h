#pragma once

// The program's title, version, disclaimer and description, modal over the main window.

#include <QDialog>

#include "app/app_context.h"
#include "editors/about_presenter.h"
#include "i18n/prompter.h"

namespace hvt {

class AboutBox final : public QDialog {
  Q_OBJECT

 public:
  AboutBox(const AppContext& context, Prompter& prompter, QWidget* parent);

 private:
  AboutPresenter presenter_;
};

void ShowAboutBox(QWidget* parent, const AppContext& context, Prompter& prompter);

}  // namespace hvt
