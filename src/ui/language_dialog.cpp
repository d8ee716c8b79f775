#include "ui/language_dialog.h"

#include "app/language_presenter.h"
#include "ui/choice_dialog.h"

namespace hvt {

bool RunLanguageDialog(QWidget* parent, AppContext& context, Prompter& prompter) {
  LanguagePresenter presenter(context, prompter);
  ChoiceDialog<LanguagePresenter, &LanguagePresenter::ViewState::Languages> dialog(parent, presenter);
  dialog.exec();
  return presenter.Changed();
}

}  // namespace hvt
