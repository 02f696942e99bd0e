// A quotation file of the earlier program whose tax rate lacks its "%", opened in the real
// window through 開啟舊檔 and the recent list, printed with 列印首頁 and saved untouched: the
// figures it holds, whichever rate gave them, are those it shows, prints and stores; figures no
// rate gives are told with the quoted total they become.
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
    void SetUp() override
    {
        StatisticsFixture::SetUp();
        installReportLayouts();
    }

    // The fixture quotation as the earlier program saved it: the rate "12" typed and not
    // entered, its figures worked out with 1 %.
    VrnContent bareRateFile()
    {
        VrnContent c = fixtureContent();
        setTotals(c, u"131020:12:1310:132330::132330"_s);
        return c;
    }
    // One work type of one item of `amount` beside the rate "12" and the totals line given.
    static VrnContent oneItemFile(const char* amount, const QString& totals)
    {
        VrnContent c;
        c.noAreaMode = true;
        c.leafPaths = {path({"油漆"})};
        const QByteArray row = QByteArray("牆面||式|1|") + amount + "|" + amount + "|0|0|";
        c.rows = {item(path({"油漆"}), row.constData())};
        setTotals(c, totals);
        return c;
    }
    static void setTotals(VrnContent& c, const QString& totals)
    {
        const QStringList f = totals.split(u':');
        PageEndValues& p = c.pageEnd;
        std::tie(p.untaxed, p.taxRate, p.tax, p.withTax, p.discount, p.quoted) = std::tie(f[0], f[1], f[2], f[3], f[4], f[5]);
    }

    struct Expected {
        QString told;      // the one message on opening
        QString rate;      // the rate the box shows
        QString tax, total;  // 稅金 and 總計 of 列印首頁
        QString saved;     // the totals line an untouched save writes
    };

    // Opens `file` through 開啟舊檔 in the real window, prints 列印首頁 and saves it untouched
    // through `saveAction`; then opens it again through the recent list. Whatever is told,
    // shown, printed and stored is checked.
    void openPrintAndSave(const VrnContent& file, const Expected& e, const char* saveAction = "mSaveAs")
    {
        const QString path = dir.filePath(u"earlier.vrn"_s);
        Vrn::write(path, file);
        prompts.clear();

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
            EXPECT_EQ(prompts.lastMessageText(), e.told) << action;
            EXPECT_EQ(rate->currentText(), e.rate) << action;
            EXPECT_EQ(q.pageEnd().tax, file.pageEnd.tax) << action;
            EXPECT_EQ(q.pageEnd().withTax, file.pageEnd.withTax) << action;
        };
        prompts.answerOpenFile(path);
        opensTold("mOpen");

        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* preview = QApplication::activeModalWidget())
                preview->close();
        });
        closer.start(10);
        window.action(u"mPfp"_s)->trigger();
        closer.stop();
        const QStringList printed = firstPageAmounts();
        EXPECT_TRUE(printed.contains(u"稅  金|"_s + e.tax)) << printed.join(u'\n').toStdString();
        EXPECT_TRUE(printed.contains(u"總  計|"_s + e.total)) << printed.join(u'\n').toStdString();

        prompts.answerSaveFile(path);
        window.action(QString::fromLatin1(saveAction))->trigger();
        const QStringList lines = ReadCp950Lines(path);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[lines.size() - 2], e.saved);
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
        EXPECT_EQ(prompts.unexpected(), 0);

        // The recent list's way in alike.
        Vrn::write(path, file);
        prompts.clear();
        opensTold("mRF0");
        EXPECT_EQ(prompts.unexpected(), 0);
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
    openPrintAndSave(bareRateFile(), {kTold, u"1%"_s, u"1,310"_s, u"132,330"_s, u"131020:1%:1310:132330::132330"_s},
                     "mSaveF");
}

// A rate typed and never entered leaves the figures of the rate before it, or of the rate the
// typing ended on: the rate that gives them is the one read.
TEST_F(BareTaxRateFileTest, FiguresOfAnotherRateOpenAsThatRateAndStayTheFiles)
{
    {
        SCOPED_TRACE("12 %'s figures");
        openPrintAndSave(oneItemFile("22755", u"22755:12:2731:25486::25486"_s),
                         {u"稅率「12」沒有「%」，依原檔的計算以 12% 讀取。"_s, u"12%"_s, u"2,731"_s, u"25,486"_s,
                          u"22755:12%:2731:25486::25486"_s});
    }
    {
        SCOPED_TRACE("5 %'s figures");
        openPrintAndSave(oneItemFile("1000", u"1000:12:50:1050::1050"_s),
                         {u"稅率「12」沒有「%」，依原檔的計算以 5% 讀取。"_s, u"5%"_s, u"50"_s, u"1,050"_s,
                          u"1000:5%:50:1050::1050"_s});
    }
}

// Rows changed after the block was last worked out, the figures still 12 %'s of the file's
// 總價: 12 % is read, and the quoted total the rows give at it is told before it is printed.
TEST_F(BareTaxRateFileTest, FiguresOfAnEarlierTotalOpenAsTheirRateAndTheTotalTheRowsGiveIsTold)
{
    openPrintAndSave(oneItemFile("23000", u"22755:12:2731:25486::25486"_s),
                     {u"稅率「12」沒有「%」，依原檔的計算以 12% 讀取；依明細重算，"
                      u"原檔的報價總價為 25486，下次列印或存檔將為 25760。"_s,
                      u"12%"_s, u"2,760"_s, u"25,760"_s, u"23000:12%:2760:25760::25760"_s});
}

// Figures no rate gives open with the older reading, and the user learns which quoted total
// the file holds and which the next print or save gives.
TEST_F(BareTaxRateFileTest, FiguresOfNoRateAreToldWithTheQuotedTotalTheyWillBecome)
{
    openPrintAndSave(oneItemFile("22755", u"22755:12:2700:25455::25455"_s),
                     {u"稅率「12」沒有「%」，原檔的稅金與含稅總價無法由任何稅率算出，以 1% 讀取："
                      u"原檔的報價總價為 25455，下次列印或存檔將為 22983。"_s,
                      u"1%"_s, u"228"_s, u"22,983"_s, u"22755:1%:228:22983::22983"_s});
}

} // namespace
