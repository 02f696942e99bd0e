#include "lexicon/widgets/Controls.h"

#include <QPushButton>

namespace varn {

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace varn
