#pragma once
// Which typed characters may go into a numeric edit, judged against the text
// the character would land in.
#include <QChar>
#include <QString>

#include "ui/drag_edit_types.h"

namespace orvana::ui {

struct TNumberInput {
  TValueType valueType = TValueType::Int;
  TFloatFormat floatFormat = TFloatFormat::Fixed;
  QString text;
  // The selection the character replaces; a bare caret has length 0.
  int selectionStart = 0;
  int selectionLength = 0;
  bool enabled = true;
};

// Digits and control characters other than a carriage return always pass;
// signs only at the start or, in exponent form, right after the E; one
// decimal point and, in exponent form, one E. A disabled edit takes no
// printable character and no backspace. The selected text does not count:
// typing replaces it.
bool IsNumberChar(QChar c, const TNumberInput& input);

}  // namespace orvana::ui
