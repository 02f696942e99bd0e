#pragma once

// A rich quotation typed into a quotation the way a user builds one, for the tests that
// need a full file: every header field, areas sharing a work-type name, a deeper path, a
// blank row between filled ones, quotes, the characters 四 and 院 (whose second CP950 byte is "|"),
// remarks, a design fee by total, a supervision fee of 30 坪 at 2000, tax and a discount.

#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "support/QuotationContent.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace varn::test {

// Types rows into the leaf `key`: each row is 品名, then optionally 數量 and 單價.
inline void TypeRows(Quotation& q, const QString& key, const QList<QStringList>& rows)
{
    q.tv_NodeClick(key);
    ASSERT_TRUE(q.isLeaf()) << key.toStdString();
    for (int r = 1; r <= rows.size(); ++r) {
        while (q.hfgQ().rows() <= r)
            q.editRowForClick(q.hfgQ().rows() - 1);
        const QStringList& cells = rows[r - 1];
        if (!cells.value(0).isEmpty()) {
            ASSERT_TRUE(q.setCellText(r, QCol::Name, cells[0]));
        }
        if (cells.size() > 1) {
            ASSERT_TRUE(q.cellEdited(r, QCol::Qty, cells[1]));
        }
        if (cells.size() > 2) {
            ASSERT_TRUE(q.cellEdited(r, QCol::Price, cells[2]));
        }
    }
}

inline void BuildRichQuotation(Quotation& q)
{
    const std::pair<HeaderField, const char*> header[] = {
        {HeaderField::CustomerName, "四季\"院\""}, {HeaderField::ProjectName, "四季院 新建工程"},
        {HeaderField::Salesperson, "王小明"},      {HeaderField::Category, "住宅"},
        {HeaderField::QuoteNo, "1130501_7"},      {HeaderField::SiteAddress, "台北市四維路 5 號"},
        {HeaderField::QuoteDate, "113/05/01"}};
    for (const auto& [field, text] : header)
        q.setHeaderField(field, QString::fromUtf8(text));
    const QString root = QStringLiteral("\uFF31");
    ASSERT_TRUE(q.AddChildNodes(root, {"客廳", "四樓", "臥室"}, false));
    ASSERT_TRUE(q.AddChildNodes(LeafPath({"客廳"}), {"木作", "油漆"}, true));
    ASSERT_TRUE(q.AddChildNodes(LeafPath({"臥室"}), {"木作"}, true));
    ASSERT_TRUE(q.AddChildNodes(LeafPath({"四樓"}), {"院子"}, true));
    ASSERT_TRUE(q.AddChildNodes(LeafPath({"四樓", "院子"}), {"圍牆"}, true));
    TypeRows(q, LeafPath({"臥室", "木作"}), {{"床架\"特製\"", "1", "5000"}});
    TypeRows(q, LeafPath({"客廳", "木作"}), {{"天花板", "10", "1200"}, {""}, {"隔間", "2", "3000"}});
    for (auto [col, text] : {std::pair{QCol::Standard, "矽酸鈣板"}, {QCol::Unit, "坪"}, {QCol::Cost, "900"},
                             {QCol::Remark, "含四角收邊"}, {QCol::WorkItem, "天花板"}})
        q.setCellText(1, col, QString::fromUtf8(text));
    TypeRows(q, LeafPath({"四樓", "院子", "圍牆"}), {{"院牆", "20", "800"}});
    TypeRows(q, LeafPath({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});

    q.pageEndPanelToggled(true);
    for (int i = 0; i < 5; ++i)
        q.setRemark(i, QStringLiteral("備註%1 四院").arg(i));
    q.setFeeTitle(Fee::Design, QStringLiteral("設計費(四院)"));
    q.setFeeChecked(Fee::Design, CheckState::Checked);
    q.setFeeRate(Fee::Design, QStringLiteral("0.1"));
    q.setFeeChecked(Fee::Supervision, CheckState::Checked);
    q.setFeeByTotal(Fee::Supervision, false);
    q.setFeeBase(Fee::Supervision, QStringLiteral("30"));
    q.setFeeRate(Fee::Supervision, QStringLiteral("2000"));
    q.setDiscount(QStringLiteral("-1000"));
    q.setTaxChecked(CheckState::Checked);
    q.pageEndPanelToggled(false);
}

} // namespace varn::test
