#pragma once

// What every dialog view does the same way: texts from the core as QString, the standard
// buttons' captions and their wiring, and a combo box rendered from a presenter's list.

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QString>
#include <functional>
#include <string_view>

#include "editors/presenter.h"

namespace hvt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Captions of the OK and Cancel buttons; Enter presses OK, Escape Cancel.
void SetButtonTexts(QDialogButtonBox& buttons, std::string_view ok, std::string_view cancel);

// OK asks the presenter and closes the dialog when it may, Cancel closes it after the presenter's
// Cancel(); `render` runs after OK either way, since a refused OK may have changed the state.
void ConnectOkCancel(QDialog& dialog, QDialogButtonBox& buttons, DialogPresenter& presenter,
                     std::function<void()> render);

// Entries, selection and flags; the entries are replaced only when they changed, so an open
// drop-down survives a render. The caller blocks the box's signals.
void RenderChoices(QComboBox& box, const ChoiceList& list);

// Every edit of `box` goes through `keep`, which answers what the box accepts of the typed text;
// the box then shows that, with the cursor where the user left it.
void FilterTyping(QLineEdit& box, std::function<std::string(std::string_view)> keep);

// The body of a large form: a frameless scroll area over `content` that asks for the content's
// whole size, so the window shows all of it where the screen is large enough and scrolls where
// it is not.
QScrollArea* ScrollingBody(QWidget* parent, QLayout* content);

// Gives a window the size its layout asks for, as far as the free area of its screen allows;
// lists and scroll areas take what is left. Call once its widgets are built and rendered.
void FitToScreen(QWidget& window);

}  // namespace hvt
