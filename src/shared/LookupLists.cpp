#include "shared/LookupLists.h"

namespace varn {

QString LookupListInfo::selectSql() const
{
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY %3, rowid").arg(textName(), tableName(), orderName());
}

QString LookupListInfo::insertSql() const
{
    return QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(tableName(), orderName(), textName());
}

const std::array<LookupListInfo, kLookupListCount>& LookupLists()
{
    static const std::array<LookupListInfo, kLookupListCount> lists{{
        {u"單位：", u"u", u"sort", u"u", false, true},
        {u"行業別：", u"行業", u"sort", u"行", false, true},
        {u"地區性：", u"地區", u"sort", u"地", false, true},
        {u"收款方式：", u"收款", u"sort", u"收", false, true},
        {u"付款方式：", u"付款", u"sort", u"付", false, true},
        {u"頁尾備註：", u"ps", u"sort", u"ps", false, true},
        {u"工班：", u"工班", u"w_id", u"工班", false, true},
        {u"供應材料：", u"材料", u"p_id", u"材料", false, true},
        {u"工程案名：", u"案", u"sort", u"案", false, true},
        {u"客戶分類：", u"Ctp", u"tp_id", u"tp", false, true},
        {u"廠商分類：", u"Ptp", u"tp_id", u"tp", false, true},
        {u"報價單項備註：", u"Qps", u"sort", u"ps", false, true},
        {u"比例：", u"sc", u"sort", u"sc", true, false},
    }};
    return lists;
}

} // namespace varn
