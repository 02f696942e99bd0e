#include "app/MainMenu.h"

#include "app/ProgramEnd.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/SettingsFiles.h"

namespace varn {

const std::array<MenuButtonInfo, 8>& MenuButtons()
{
    static const std::array<MenuButtonInfo, 8> buttons{{
        {MenuButton::Quotation, "cmdQ", QStringLiteral("報價單"), 0, 675},
        {MenuButton::Customers, "cmdC", QStringLiteral("客戶資料"), 675, 675},
        {MenuButton::Vendors, "cmdP", QStringLiteral("廠商資料"), 1350, 675},
        {MenuButton::Employees, "cmdSt", QStringLiteral("員工資料"), 2025, 675},
        {MenuButton::Lexicon, "cmdSa", QStringLiteral("工程資料&詞庫"), 2700, 675},
        {MenuButton::Settings, "cmdPws", QStringLiteral("系統設定"), 3375, 600},
        {MenuButton::Exit, "Command1", QStringLiteral("結束"), 3975, 675},
        {MenuButton::Hide, "Command2", QStringLiteral("隱藏"), 4650, 600},
    }};
    return buttons;
}

bool MenuButtonEnabled(MenuButton button, int rights)
{
    const QString r = RightsToBinary12(rights);
    // Characters of the rights text, counted from 1 as the rights table counts them.
    const auto set = [&r](int first, int last) {
        for (int k = first; k <= last; ++k) {
            if (r.mid(k - 1, 1) != QLatin1String("0"))
                return true;
        }
        return false;
    };
    switch (button) {
    case MenuButton::Quotation: return set(3, 3);
    case MenuButton::Customers: return set(4, 5);
    case MenuButton::Vendors: return set(6, 7);
    case MenuButton::Employees: return set(8, 9);
    case MenuButton::Lexicon: return set(10, 11);
    case MenuButton::Settings: return set(12, 12);
    case MenuButton::Exit:
    case MenuButton::Hide: return true;
    }
    return false;
}

int ToggledMenuHeight(int heightTwips)
{
    if (heightTwips == MenuExpandedHeightTwips)
        return MenuCollapsedHeightTwips;
    if (heightTwips == MenuCollapsedHeightTwips)
        return MenuExpandedHeightTwips;
    return heightTwips;
}

QPoint MenuPosition(const QRect& availableArea, int windowWidth, int rightMargin)
{
    return {availableArea.x() + availableArea.width() - windowWidth - rightMargin, availableArea.y()};
}

MenuController::MenuController(int rights)
    : m_rights(rights)
{
}

void MenuController::setWindowOpener(MenuButton button, std::function<void()> opener)
{
    if (opener)
        m_openers[button] = std::move(opener);
    else
        m_openers.erase(button);
}

bool MenuController::hasWindowOpener(MenuButton button) const
{
    return m_openers.count(button) != 0;
}

void MenuController::click(MenuButton button)
{
    if (button == MenuButton::Exit || button == MenuButton::Hide || !isEnabled(button))
        return;
    // The customer register opens for browsing, not for picking.
    if (button == MenuButton::Customers)
        state().m.gPickCustomer = false;
    const auto it = m_openers.find(button);
    if (it == m_openers.end()) {
        QString caption;
        for (const auto& info : MenuButtons()) {
            if (info.button == button)
                caption = info.toolTip;
        }
        prompter().inform(QStringLiteral("「") + caption + QStringLiteral("」在這一版尚未提供"),
                          PromptIcon::Information);
        return;
    }
    it->second();
}

bool MenuController::exitClicked()
{
    MessageRequest ask;
    ask.text = QStringLiteral("是否要結束瓦恩工房?");
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    if (prompter().message(ask) != PromptButton::Yes)
        return false;
    return closeRequested();
}

bool MenuController::closeRequested()
{
    // An unsaved quotation or record is never dropped: if its window stays, so does the
    // program.
    return EndProgram(0);
}

void LoadAutoSave()
{
    // A missing Auto.ini means autosave off.
    LoadAutoSaveSettings(state().programFolder);
}

} // namespace varn
