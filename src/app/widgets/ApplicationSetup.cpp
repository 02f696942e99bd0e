#include "app/widgets/ApplicationSetup.h"

#include "platform/ui/widgets/DesktopSetup.h"

#include <QApplication>
#include <QFont>

namespace varn {

void SetUpApplication(QApplication& app)
{
    // No display name: the platform would append it to every window and message title.
    QApplication::setApplicationName(QStringLiteral("varn3"));

    QFont font(QStringLiteral("Noto Sans CJK TC"));
    font.setPointSize(10);
    QApplication::setFont(font);

    // Without the translations the platform's own texts stay in English; the program
    // still works.
    InstallChineseInterface(app);
    InstallEnterPressesButtons(app);
}

} // namespace varn
