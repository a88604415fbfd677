// Helpers for widget tests: answering modal message boxes and waiting.
#pragma once

#include <QMessageBox>
#include <QString>

namespace vxtest {

// Arranges for the next modal message box to be answered with `button`;
// the box's text is stored in `*text` when given.
void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr);

}  // namespace vxtest
