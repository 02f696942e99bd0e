// The figures a real quotation window shows for its sums, and the file it saves: the summary
// line, the page-end panel and the stored page end agree with a calculator and with the prints.
#include "quotation/widgets/WindowFixture.h"

#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmPe.h"

namespace varn::test {
namespace {

class ShownFiguresTest : public WindowTest {
protected:
    void windowMade(frmQ& w) override { extras = QuotationWindowExtras::attach(w); }
    frmPe& panel()
    {
        window();
        return extras->pageEnd();
    }
    // The rows in work types directly under the root, opened in the window with that tax rate.
    void open(std::vector<ItemLine> rows, const QString& taxRate = QStringLiteral("5%"))
    {
        VrnContent c;
        c.noAreaMode = true;
        for (const ItemLine& row : rows) {
            if (!c.leafPaths.contains(row[0]))
                c.leafPaths << row[0];
        }
        c.rows = std::move(rows);
        c.pageEnd.taxRate = taxRate;
        doc().load(c, file("x.vrn"));
    }
    QStringList summaryLine() { return {window().lbSumT()->text(), window().lbCsumT()->text(), window().lbProT()->text()}; }
    QStringList panelTotals()
    {
        return {panel().lbNtax()->text(), panel().lbTax()->text(), panel().lbHtax()->text(), panel().lbApr()->text()};
    }
    // The page-end totals line of the file saved through 另存新檔: 總價:稅率:稅金:含稅總價:折扣:報價總價.
    QString savedTotals()
    {
        prompts.answerSaveFile(file("saved"));
        act("mSaveAs")->trigger();
        QFile f(file("saved.vrn"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (line.count(':') == 5)
                return QString::fromLatin1(line.trimmed());
        }
        return {};
    }

    QuotationWindowExtras* extras = nullptr;
};

// Two work types of 10,000 and 12,755 at 10 %: the exact tax 2,275.5 and the total with tax
// 25,030.5 are both halves; the tax shown and saved leaves the work types whole under 合計.
TEST_F(ShownFiguresTest, ATaxAtAHalfIsShownAndSavedAsThePrintsShowIt)
{
    open({GridItem(LeafPath({"木作"}), "衣櫃||式|1|10000|10000"),
          GridItem(LeafPath({"油漆"}), "牆面||式|1|12755|12755")},
         QStringLiteral("10%"));
    QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    EXPECT_EQ(panelTotals(), (QStringList{"22755", "2275", "25030", "25030"}));
    EXPECT_EQ(savedTotals(), "22755:10%:2275:25030::25030");
}

// 毛利 of 100,000 less 12,345.6 and 87,653.45 is 0.95, and so is a discount that leaves that much.
TEST_F(ShownFiguresTest, TheSummaryLineAndThePageEndShowTheDecimalOfASumOrDifference)
{
    open({GridItem(LeafPath({"木作"}), "衣櫃||式|1|60000|60000|12345.6|12345.6|4.86"),
          GridItem(LeafPath({"木作"}), "鞋櫃||式|1|40000|40000|87653.45|87653.45|0.46")});
    EXPECT_EQ(summaryLine(), (QStringList{"100000", "99999.05", "0.95"}));
    doc().tv_NodeClick(LeafPath({"木作"}));
    EXPECT_EQ(summaryLine(), (QStringList{"100000", "99999.05", "0.95"}));

    QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    QTest::mouseClick(panel().ckTax(), Qt::LeftButton);
    retype(panel().txtOff(), "-99999.05");
    EXPECT_EQ(panel().lbApr()->text(), "0.95");
    const QString saved = savedTotals();
    EXPECT_TRUE(saved.endsWith(":-99999.05:0.95")) << saved.toStdString();
}

} // namespace
} // namespace varn::test
