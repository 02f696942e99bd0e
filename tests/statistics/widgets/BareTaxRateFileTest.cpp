// A quotation file of the earlier program whose tax rate lacks its "%", opened in the real
// window through 開啟舊檔 and the recent list, printed with 列印首頁 and saved untouched: the
// figures it holds are those it shows, prints and stores.
#include "../StatisticsTestSupport.h"

#include "platform/text/Cp950.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmPe.h"
#include "quotation/widgets/frmQ.h"
#include "statistics/widgets/StatisticsWindowHooks.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

using namespace varn;
using namespace varn::test;

namespace {

class BareTaxRateFileTest : public StatisticsFixture {
protected:
    // The fixture quotation as the earlier program saved it: the rate "12" typed and not
    // entered, its figures worked out with 1 %.
    VrnContent bareRateFile()
    {
        VrnContent c = fixtureContent();
        c.pageEnd.taxRate = u"12"_s;
        c.pageEnd.untaxed = u"131020"_s;
        c.pageEnd.tax = u"1310"_s;
        c.pageEnd.withTax = u"132330"_s;
        c.pageEnd.quoted = u"132330"_s;
        return c;
    }
    // The first page's lines of amounts, as "text|amount".
    QStringList firstPageAmounts()
    {
        return ptRows(u"SELECT trim(item), amount FROM pfp WHERE amount IS NOT NULL"_s);
    }
};

const QString kTold = u"稅率「12」沒有「%」，依原檔的計算以 1% 讀取。"_s;

TEST_F(BareTaxRateFileTest, ItOpensWithTheRateItsFiguresWereWorkedOutWithAndPrintsAndSavesThem)
{
    installReportLayouts();
    const QString path = dir.filePath(u"earlier.vrn"_s);
    Vrn::write(path, bareRateFile());

    frmQ window;
    QuotationWindowExtras* extras = QuotationWindowExtras::attach(window);
    ASSERT_NE(StatisticsWindowHooks::attach(window), nullptr);
    QComboBox* rate = extras->pageEnd().cbTax();
    const Quotation& q = window.quotation();

    // Shown with its sign and the file's figures, the user told once.
    const auto opensTold = [&](const char* action) {
        prompts.answerMessage(PromptButton::Ok);
        window.action(QString::fromLatin1(action))->trigger();
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1) << action;
        EXPECT_EQ(prompts.lastMessageText(), kTold) << action;
        EXPECT_EQ(rate->currentText(), u"1%"_s) << action;
        EXPECT_EQ(q.pageEnd().tax, u"1310"_s) << action;
        EXPECT_EQ(q.pageEnd().withTax, u"132330"_s) << action;
    };
    prompts.answerOpenFile(path);
    opensTold("mOpen");

    // 列印首頁 prints the tax the file holds.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* preview = QApplication::activeModalWidget())
            preview->close();
    });
    closer.start(10);
    window.action(u"mPfp"_s)->trigger();
    closer.stop();
    const QStringList printed = firstPageAmounts();
    EXPECT_TRUE(printed.contains(u"稅  金|1,310"_s)) << printed.join(u'\n').toStdString();
    EXPECT_TRUE(printed.contains(u"總  計|132,330"_s)) << printed.join(u'\n').toStdString();

    // Saved untouched, the file holds the rate with its sign and the same figures.
    prompts.answerSaveFile(path);
    window.action(u"mSaveF"_s)->trigger();
    const QStringList lines = ReadCp950Lines(path);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], u"131020:1%:1310:132330::132330"_s);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(prompts.unexpected(), 0);

    // The recent list's way in alike.
    Vrn::write(path, bareRateFile());
    prompts.clear();
    opensTold("mRF0");
    EXPECT_EQ(prompts.unexpected(), 0);
}

} // namespace
