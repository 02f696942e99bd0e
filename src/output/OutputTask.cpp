#include "output/OutputTask.h"

#include "output/DeliveredWorkbook.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Prompter.h"
#include "platform/workbook/CellRef.h"

namespace varn {

void CheckRowsFit(qint64 lastRow)
{
    if (lastRow > kMaxRows)
        throw OutputRefused(QStringLiteral("資料需要 %1 列，超過工作表的 %2 列上限\r\n無法列印")
                                .arg(lastRow)
                                .arg(kMaxRows));
}

QString DeliverOutput(const QString& busyText, const std::function<QString()>& fillAndSave)
{
    QString saved;
    QString failure;
    {
        BusyScope busy(busyText);
        try {
            saved = fillAndSave();
        } catch (const std::exception& e) {
            // Every error of the layers below carries a sentence in UTF-8.
            failure = QString::fromUtf8(e.what());
            if (failure.isEmpty())
                failure = QStringLiteral("輸出失敗");
        }
    }
    if (!failure.isEmpty()) {
        prompter().inform(failure, PromptIcon::Critical);
        return {};
    }
    DeliverSavedWorkbook(saved);
    return saved;
}

} // namespace varn
