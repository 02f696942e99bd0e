#include "platform/ui/widgets/PasswordBox.h"

#include <QLineEdit>

namespace varn {

void MakePasswordBox(QLineEdit* box)
{
    box->setEchoMode(QLineEdit::Password);
    // "*", whatever the desktop's style would draw.
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

} // namespace varn
