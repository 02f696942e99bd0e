#include "quotation/widgets/LexiconAdditionCommand.h"

#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "quotation/LexiconAdditions.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/frmAddw.h"
#include "shared/ProgramState.h"

namespace varn {

LexiconAdditionCommand::LexiconAdditionCommand(Quotation& q, QWidget* window)
    : QObject(window)
    , m_q(q)
    , m_window(window)
{
}

bool LexiconAdditionCommand::mAdd2W_Click()
{
    const QString workType = LexiconAdditions::targetWorkType(m_q);
    if (workType.isEmpty()) {
        // An area's name would become a work type of the lexicon.
        prompter().inform(QStringLiteral("請先點選一個工種,品名只能加入工種的施工資料"),
                          PromptIcon::Information);
        return false;
    }
    std::shared_ptr<Database> db = state().m.gDb;
    if (!db) {
        prompter().inform(QStringLiteral("品名加入失敗:資料庫未開啟"), PromptIcon::Critical);
        return false;
    }

    LexiconAddition result;
    try {
        result = LexiconAdditions::addItems(*db, workType, m_q.hfgQ());
    } catch (const DbError& e) {
        prompter().inform(QStringLiteral("品名加入失敗,施工資料庫未變更\r\n%1\r\n%2")
                              .arg(e.number())
                              .arg(e.description()),
                          PromptIcon::Critical);
        return false;
    }

    if (!m_dialog) {
        m_dialog = new frmAddw(m_window);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_dialog->showRun(result.skipped, result.added);
    return result.added > 0;
}

} // namespace varn
