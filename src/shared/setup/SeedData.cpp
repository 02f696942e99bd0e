#include "shared/setup/SeedData.h"

#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "shared/LookupLists.h"

#include <QStringList>

namespace varn {

namespace {

using namespace Qt::StringLiterals;

struct County {
    const char16_t* name;
    const char* areaCode;
};

// Taiwan's counties and cities with their telephone area codes, north to south, then the
// east and the islands.
const County kCounties[] = {
    {u"臺北市", "02"}, {u"新北市", "02"}, {u"基隆市", "02"}, {u"桃園市", "03"},
    {u"新竹市", "03"}, {u"新竹縣", "03"}, {u"苗栗縣", "037"}, {u"臺中市", "04"},
    {u"彰化縣", "04"}, {u"南投縣", "049"}, {u"雲林縣", "05"}, {u"嘉義市", "05"},
    {u"嘉義縣", "05"}, {u"臺南市", "06"}, {u"高雄市", "07"}, {u"屏東縣", "08"},
    {u"宜蘭縣", "03"}, {u"花蓮縣", "03"}, {u"臺東縣", "089"}, {u"澎湖縣", "06"},
    {u"金門縣", "082"}, {u"連江縣", "0836"},
};

// The first entries of each lookup list, in the order of LookupLists().
QList<QStringList> lookupEntries()
{
    return {
        {u"式"_s, u"個"_s, u"坪"_s, u"才"_s, u"尺"_s, u"組"_s, u"樘"_s, u"片"_s,
         u"米"_s, u"支"_s, u"台"_s, u"座"_s, u"間"_s, u"工"_s, u"車"_s},
        {u"建設公司"_s, u"營造業"_s, u"室內設計"_s, u"製造業"_s, u"服務業"_s,
         u"餐飲業"_s, u"個人"_s},
        {u"北部"_s, u"中部"_s, u"南部"_s, u"東部"_s, u"離島"_s},
        {u"現金"_s, u"支票"_s, u"匯款"_s, u"月結30天"_s, u"月結60天"_s},
        {u"現金"_s, u"支票"_s, u"匯款"_s, u"月結30天"_s, u"月結60天"_s},
        {u"本報價單有效期限為三十天"_s, u"工程款依工程進度分期請款"_s,
         u"追加工程另行報價"_s, u"數量依現場實際施作計算"_s,
         u"施工期間之垃圾清運由本公司負責"_s},
        {u"木工班"_s, u"泥作班"_s, u"水電班"_s, u"油漆班"_s, u"鐵工班"_s,
         u"清潔班"_s},
        {u"木材"_s, u"磁磚"_s, u"水泥"_s, u"油漆"_s, u"玻璃"_s, u"五金"_s,
         u"電線"_s},
        {u"室內裝修工程"_s, u"新建工程"_s, u"整修工程"_s, u"水電工程"_s},
        {u"一般客戶"_s, u"建設公司"_s, u"設計公司"_s, u"公家機關"_s},
        {u"工班"_s, u"材料商"_s, u"設備商"_s},
        {u"含工帶料"_s, u"僅工資"_s, u"材料由業主提供"_s, u"依現場丈量為準"_s},
        // Ratio coefficients; 0.05 is also the usual tax rate.
        {u"0.05"_s, u"1"_s, u"1.1"_s, u"1.2"_s, u"1.25"_s, u"1.3"_s, u"1.5"_s,
         u"2"_s},
    };
}

struct WorkItem {
    const char16_t* name;
    const char16_t* unit;
    double cost;
    double ratio;
};

struct WorkType {
    const char16_t* name;
    QList<WorkItem> items;
};

struct Detail {
    const char16_t* workItem;
    const char16_t* name;
    double markup;
};

void insertLookupList(Database& db, const LookupListInfo& list, const QStringList& entries)
{
    const QString sql = list.insertSql();
    for (int i = 0; i < entries.size(); ++i) {
        const QString& text = entries[i];
        const QVariant value = list.numeric ? QVariant(text.toDouble()) : QVariant(text);
        db.execute(sql, {i + 1, value});
    }
}

void insertLexicon(Database& db)
{
    const QList<QPair<QString, QStringList>> categories = {
        {u"住宅"_s, {u"客廳"_s, u"餐廳"_s, u"主臥室"_s, u"廚房"_s, u"浴室"_s}},
        {u"辦公室"_s, {u"接待區"_s, u"辦公區"_s, u"會議室"_s, u"茶水間"_s}},
    };
    for (int i = 0; i < categories.size(); ++i) {
        const auto& [category, areas] = categories[i];
        db.execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"), {i + 1, category});
        for (int j = 0; j < areas.size(); ++j)
            db.execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, ?)"),
                       {category, areas[j], j + 1});
    }

    const QList<WorkType> types = {
        {u"木作工程",
         {{u"平頂天花板", u"坪", 3500, 1.3}, {u"木作隔間", u"尺", 1200, 1.3},
          {u"系統櫃", u"尺", 4500, 1.25}}},
        {u"泥作工程",
         {{u"地坪磁磚", u"坪", 3800, 1.3}, {u"牆面粉光", u"坪", 1500, 1.3},
          {u"拆除清運", u"式", 8000, 1.2}}},
        {u"油漆工程", {{u"乳膠漆", u"坪", 650, 1.4}, {u"批土打磨", u"坪", 400, 1.4}}},
        {u"水電工程",
         {{u"插座迴路", u"個", 1200, 1.3}, {u"燈具安裝", u"個", 300, 1.5},
          {u"配電箱", u"組", 6500, 1.25}}},
    };
    for (int i = 0; i < types.size(); ++i) {
        const QString type = QString::fromUtf16(types[i].name);
        db.execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (?, ?)"), {i + 1, type});
        // Order numbers as the lexicon window writes them: grid row + 1, from 2.
        for (int j = 0; j < types[i].items.size(); ++j) {
            const WorkItem& w = types[i].items[j];
            db.execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, ?, ?, ?)"),
                       {type, QString::fromUtf16(w.name), j + 2, QString::fromUtf16(w.unit),
                        w.cost, w.ratio});
        }
    }

    const Detail details[] = {
        {u"平頂天花板", u"矽酸鈣板", 0},  {u"平頂天花板", u"間接照明", 1200},
        {u"平頂天花板", u"造型收邊", 800}, {u"乳膠漆", u"單色", 0},
        {u"乳膠漆", u"雙色", 150},
    };
    QString lastItem;
    int sort = 1;
    for (const Detail& d : details) {
        const QString item = QString::fromUtf16(d.workItem);
        sort = item == lastItem ? sort + 1 : 2;
        lastItem = item;
        db.execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, ?, ?)"),
                   {item, QString::fromUtf16(d.name), d.markup, sort});
    }
}

} // namespace

void SeedMainDatabase(Database& db)
{
    Transaction tx(db);

    db.execute(QStringLiteral("INSERT INTO super (super_id, super_pass) VALUES (?, ?)"),
               {QString(kSuperUserId), HashPassword(QString(kFirstSuperPassword))});
    db.execute(QStringLiteral("INSERT INTO company (con, coa, cot, cof, cono, coe) "
                              "VALUES ('', '', '', '', '', '')"));

    int id = 1;
    for (const County& c : kCounties)
        db.execute(QStringLiteral("INSERT INTO 縣市 (id, 縣市, 區碼) VALUES (?, ?, ?)"),
                   {id++, QString::fromUtf16(c.name), QString::fromLatin1(c.areaCode)});

    const QList<QStringList> entries = lookupEntries();
    for (int i = 0; i < kLookupListCount; ++i)
        insertLookupList(db, LookupLists()[i], entries.value(i));

    insertLexicon(db);

    tx.commit();
}

} // namespace varn
