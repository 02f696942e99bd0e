#include "shared/setup/Schema.h"

namespace varn {

QString MainSchemaSql()
{
    return QStringLiteral(R"SQL(
-- Schema version, for a later upgrade to tell which files it has to touch.
PRAGMA user_version = 1;

-- The superuser: one row, super_id "varn".
CREATE TABLE super (
    super_id   TEXT NOT NULL,
    super_pass TEXT
);

-- The firm's own data, one row, printed on every quotation.
CREATE TABLE company (
    con  TEXT,
    coa  TEXT,
    cot  TEXT,
    cof  TEXT,
    cono TEXT,
    coe  TEXT
);

-- Employees; 中文姓名 also names the employee's working folder.
CREATE TABLE 員工 (
    員工編號       TEXT COLLATE NOCASE,
    中文姓名       TEXT NOT NULL COLLATE NOCASE UNIQUE,
    英文姓名       TEXT COLLATE NOCASE,
    部門           TEXT COLLATE NOCASE,
    身分字號       TEXT COLLATE NOCASE,
    地址           TEXT COLLATE NOCASE,
    郵遞區號       TEXT COLLATE NOCASE,
    電子郵件       TEXT COLLATE NOCASE,
    住家電話       TEXT COLLATE NOCASE,
    行動電話       TEXT COLLATE NOCASE,
    生日           TEXT COLLATE NOCASE,
    僱用日期       TEXT COLLATE NOCASE,
    薪水           TEXT COLLATE NOCASE,
    緊急連絡人     TEXT COLLATE NOCASE,
    緊急連絡人電話 TEXT COLLATE NOCASE,
    備註           TEXT COLLATE NOCASE,
    權限           INTEGER DEFAULT 0,
    pass           TEXT,
    職稱           TEXT COLLATE NOCASE
);

-- Customers, 35 columns.
CREATE TABLE 客戶 (
    客戶編號       TEXT COLLATE NOCASE,
    客戶名稱       TEXT NOT NULL COLLATE NOCASE UNIQUE,
    客戶代號       TEXT COLLATE NOCASE,
    統一編號       TEXT COLLATE NOCASE,
    公司地址       TEXT COLLATE NOCASE,
    郵遞區號       TEXT COLLATE NOCASE,
    發票地址       TEXT COLLATE NOCASE,
    施工地址       TEXT COLLATE NOCASE,
    電子郵件       TEXT COLLATE NOCASE,
    電話1          TEXT COLLATE NOCASE,
    電話2          TEXT COLLATE NOCASE,
    公司傳真       TEXT COLLATE NOCASE,
    負責人         TEXT COLLATE NOCASE,
    負責人身分證號 TEXT COLLATE NOCASE,
    負責人公司電話 TEXT COLLATE NOCASE,
    負責人大哥大   TEXT COLLATE NOCASE,
    負責人住家電話 TEXT COLLATE NOCASE,
    負責人職稱     TEXT COLLATE NOCASE,
    連絡人         TEXT COLLATE NOCASE,
    連絡人公司電話 TEXT COLLATE NOCASE,
    連絡人大哥大   TEXT COLLATE NOCASE,
    連絡人職稱     TEXT COLLATE NOCASE,
    介紹人         TEXT COLLATE NOCASE,
    負責業務       TEXT COLLATE NOCASE,
    會計人員       TEXT COLLATE NOCASE,
    會計職稱       TEXT COLLATE NOCASE,
    會計電話       TEXT COLLATE NOCASE,
    地區性         TEXT COLLATE NOCASE,
    行業別         TEXT COLLATE NOCASE,
    登錄日期       TEXT COLLATE NOCASE,
    結帳日         TEXT COLLATE NOCASE,
    請款日         TEXT COLLATE NOCASE,
    收款方式       TEXT COLLATE NOCASE,
    備註           TEXT COLLATE NOCASE,
    type           TEXT COLLATE NOCASE
);

-- Vendors, 38 columns; 供應類別 is the supply kind (bit 0 work crews, bit 1 materials).
CREATE TABLE 廠商 (
    廠商編號       TEXT COLLATE NOCASE,
    廠商名稱       TEXT NOT NULL COLLATE NOCASE UNIQUE,
    廠商代號       TEXT COLLATE NOCASE,
    統一編號       TEXT COLLATE NOCASE,
    公司地址       TEXT COLLATE NOCASE,
    郵遞區號       TEXT COLLATE NOCASE,
    發票地址       TEXT COLLATE NOCASE,
    電子郵件       TEXT COLLATE NOCASE,
    電話1          TEXT COLLATE NOCASE,
    電話2          TEXT COLLATE NOCASE,
    公司傳真       TEXT COLLATE NOCASE,
    負責人         TEXT COLLATE NOCASE,
    負責人身分證號 TEXT COLLATE NOCASE,
    負責人公司電話 TEXT COLLATE NOCASE,
    負責人大哥大   TEXT COLLATE NOCASE,
    負責人住家電話 TEXT COLLATE NOCASE,
    負責人職稱     TEXT COLLATE NOCASE,
    連絡人         TEXT COLLATE NOCASE,
    連絡人公司電話 TEXT COLLATE NOCASE,
    連絡人大哥大   TEXT COLLATE NOCASE,
    連絡人職稱     TEXT COLLATE NOCASE,
    介紹人         TEXT COLLATE NOCASE,
    負責業務       TEXT COLLATE NOCASE,
    會計人員       TEXT COLLATE NOCASE,
    會計職稱       TEXT COLLATE NOCASE,
    會計電話       TEXT COLLATE NOCASE,
    地區性         TEXT COLLATE NOCASE,
    行業別         TEXT COLLATE NOCASE,
    登錄日期       TEXT COLLATE NOCASE,
    結帳日         TEXT COLLATE NOCASE,
    請款日         TEXT COLLATE NOCASE,
    付款方式       TEXT COLLATE NOCASE,
    備註           TEXT COLLATE NOCASE,
    支票抬頭       TEXT COLLATE NOCASE,
    發票抬頭       TEXT COLLATE NOCASE,
    供應類別       INTEGER DEFAULT 0,
    敘述           TEXT COLLATE NOCASE,
    type           TEXT COLLATE NOCASE
);

-- Vendor links to work crews and materials: no key, one row per link.
CREATE TABLE 商vs工 (
    廠商名稱 TEXT COLLATE NOCASE,
    工       TEXT COLLATE NOCASE
);
CREATE TABLE 商vs料 (
    廠商名稱 TEXT COLLATE NOCASE,
    料       TEXT COLLATE NOCASE
);

-- Record codes are worked out from the stored ones; two records never share one.
CREATE UNIQUE INDEX 客戶_編號 ON 客戶 (客戶編號) WHERE 客戶編號 <> '';
CREATE UNIQUE INDEX 廠商_編號 ON 廠商 (廠商編號) WHERE 廠商編號 <> '';
CREATE UNIQUE INDEX 員工_編號 ON 員工 (員工編號) WHERE 員工編號 <> '';

-- Counties and cities with their telephone area codes; read only.
CREATE TABLE 縣市 (
    id   INTEGER,
    縣市 TEXT COLLATE NOCASE,
    區碼 TEXT
);

-- Ordered lists of project categories and work types. A name is unique: renames and
-- deletions reach every row of k2a or t2w under that name, so two entries of one name
-- would share areas and work items.
CREATE TABLE 別 (
    k_id INTEGER,
    k    TEXT NOT NULL COLLATE NOCASE UNIQUE
);
CREATE TABLE 種 (
    t_id INTEGER,
    t    TEXT NOT NULL COLLATE NOCASE UNIQUE
);

-- Areas per category, work items per work type, details per work item.
CREATE TABLE k2a (
    k    TEXT COLLATE NOCASE,
    a    TEXT COLLATE NOCASE,
    sort INTEGER
);
CREATE TABLE t2w (
    t    TEXT COLLATE NOCASE,
    w    TEXT COLLATE NOCASE,
    sort INTEGER,
    u    TEXT COLLATE NOCASE,
    c    NUMERIC,
    s    NUMERIC
);
CREATE TABLE w2d (
    w    TEXT COLLATE NOCASE,
    d    TEXT COLLATE NOCASE,
    c    NUMERIC,
    sort INTEGER
);
CREATE INDEX t2w_t ON t2w (t);
CREATE INDEX t2w_w ON t2w (w);
CREATE INDEX w2d_w ON w2d (w);

-- The thirteen lookup lists: order number, text.
CREATE TABLE u    (sort  INTEGER, u    TEXT COLLATE NOCASE);
CREATE TABLE 行業 (sort  INTEGER, 行   TEXT COLLATE NOCASE);
CREATE TABLE 地區 (sort  INTEGER, 地   TEXT COLLATE NOCASE);
CREATE TABLE 收款 (sort  INTEGER, 收   TEXT COLLATE NOCASE);
CREATE TABLE 付款 (sort  INTEGER, 付   TEXT COLLATE NOCASE);
CREATE TABLE ps   (sort  INTEGER, ps   TEXT COLLATE NOCASE);
CREATE TABLE 工班 (w_id  INTEGER, 工班 TEXT COLLATE NOCASE);
CREATE TABLE 材料 (p_id  INTEGER, 材料 TEXT COLLATE NOCASE);
CREATE TABLE 案   (sort  INTEGER, 案   TEXT COLLATE NOCASE);
CREATE TABLE Ctp  (tp_id INTEGER, tp   TEXT COLLATE NOCASE);
CREATE TABLE Ptp  (tp_id INTEGER, tp   TEXT COLLATE NOCASE);
CREATE TABLE Qps  (sort  INTEGER, ps   TEXT COLLATE NOCASE);
CREATE TABLE sc   (sort  INTEGER, sc   NUMERIC);

-- Tp4C: the customer categories in use, one row each (field 0), for the register's
-- category filter: those of the list Ctp in its order first, then any other typed
-- category alphabetically.
CREATE VIEW Tp4C AS
SELECT c.type AS type
FROM 客戶 AS c
WHERE c.type IS NOT NULL AND c.type <> ''
GROUP BY c.type
ORDER BY coalesce((SELECT min(p.tp_id) FROM Ctp AS p WHERE p.tp = c.type), 2147483647),
         c.type;

-- Tp4P: the same for vendors and the list Ptp.
CREATE VIEW Tp4P AS
SELECT v.type AS type
FROM 廠商 AS v
WHERE v.type IS NOT NULL AND v.type <> ''
GROUP BY v.type
ORDER BY coalesce((SELECT min(p.tp_id) FROM Ptp AS p WHERE p.tp = v.type), 2147483647),
         v.type;

-- Pk2a: category (group key), area; categories in list order, areas in their order.
CREATE VIEW Pk2a AS
SELECT a.k AS k, a.a AS a
FROM k2a AS a LEFT JOIN 別 AS b ON b.k = a.k
ORDER BY coalesce(b.k_id, 2147483647), a.k, a.sort, a.rowid;

-- Pt2w: work type (group key), work item, unit, cost, ratio; work types in list order,
-- work items in their order.
CREATE VIEW Pt2w AS
SELECT w.t AS t, w.w AS w, w.u AS u, w.c AS c, w.s AS s
FROM t2w AS w LEFT JOIN 種 AS k ON k.t = w.t
ORDER BY coalesce(k.t_id, 2147483647), w.t, w.sort, w.rowid;

-- Pt2w2d: work type, work item (group key), detail, markup. Details belong to a work-item
-- name; a work item listed under two work types shows its details under each. Details
-- of a name that no work type holds come last, with an empty work type.
CREATE VIEW Pt2w2d AS
SELECT coalesce(i.t, '') AS t, d.w AS w, d.d AS d, d.c AS c
FROM w2d AS d
LEFT JOIN (SELECT t, w, min(sort) AS sort FROM t2w GROUP BY t, w) AS i ON i.w = d.w
LEFT JOIN 種 AS k ON k.t = i.t
ORDER BY i.t IS NULL, coalesce(k.t_id, 2147483647), i.t, i.sort, d.w, d.sort, d.rowid;
)SQL");
}

namespace {

// A figure as its readers want it: the noise of adding decimal fractions dropped, and a
// whole number returned as an integer, so that its text is "1000000", not "1e+06".
QString figure(const QString& column)
{
    return QStringLiteral("CASE WHEN %1 = CAST(%1 AS INTEGER) THEN CAST(%1 AS INTEGER) ELSE %1 END AS %1")
        .arg(column);
}

// 小計 (sum of 金額 Top), 成本複計 (sum of Toc), 毛利 (小計 − 成本複計) and 平均比例, taken as
// 小計 ÷ 成本複計 rounded to two decimals (the ratio the group is priced at; 0 without cost),
// per group of key (none: the whole table), in the order the groups first appear.
QString figuresView(const QString& name, const QString& key)
{
    const QString keyColumn = key.isEmpty() ? QString() : key + QStringLiteral(", ");
    const QString grouping = key.isEmpty() ? QString() : QStringLiteral(" GROUP BY ") + key;
    const QString order = key.isEmpty() ? QString() : QStringLiteral(" ORDER BY firstSot");
    return QStringLiteral(
               "CREATE VIEW %1 AS\n"
               "SELECT %2%3, %4, %5, %6\n"
               "FROM (SELECT %2round(coalesce(sum(Top), 0), 9) AS STop,\n"
               "             round(coalesce(sum(Toc), 0), 9) AS SToc,\n"
               "             round(coalesce(sum(Top), 0) - coalesce(sum(Toc), 0), 9) AS Margin,\n"
               "             CASE WHEN coalesce(sum(Toc), 0) <> 0\n"
               "                  THEN round(sum(Top) * 1.0 / sum(Toc), 2) ELSE 0 END AS Ratio,\n"
               "             min(sot) AS firstSot\n"
               "      FROM 統計%7)%8;\n")
        .arg(name, keyColumn, figure(QStringLiteral("STop")), figure(QStringLiteral("SToc")),
             figure(QStringLiteral("Margin")), figure(QStringLiteral("Ratio")), grouping, order);
}

} // namespace

QString StaSchemaSql()
{
    QString sql = QStringLiteral(R"SQL(
-- Schema version, for a later upgrade to tell which files it has to touch. Version 2:
-- paths are grouped and compared exactly, letter case kept.
PRAGMA user_version = 2;

-- One row per item row of the quotation, written by position (columns 0 to 14) and
-- numbered through sn. AoT and T default to empty text, so that a path without that
-- level forms a group the numbering can name.
CREATE TABLE 統計 (
    tre TEXT,
    Des TEXT,
    Siz TEXT,
    Uni TEXT,
    Qua NUMERIC DEFAULT 0,
    Unp NUMERIC DEFAULT 0,
    Top NUMERIC DEFAULT 0,
    Cos NUMERIC DEFAULT 0,
    Toc NUMERIC DEFAULT 0,
    Rat NUMERIC DEFAULT 0,
    Rem TEXT,
    AoT TEXT DEFAULT '',
    T   TEXT DEFAULT '',
    Blk INTEGER DEFAULT 0,
    sot INTEGER,
    sn  INTEGER
);

-- LC: one row per leaf path (group of the item list, after any path rewrite), in print
-- order: path, number of item rows. Callers use its row count.
CREATE VIEW LC AS
SELECT tre, count(*) AS Ct
FROM 統計
GROUP BY tre
ORDER BY min(sn), min(sot);

-- AlbyP: every row of 統計 with its columns in table order, in print order: groups by
-- their number sn; the rows of one path together, at the place of the path's first row,
-- each in grid order (a work type with sub-levels in two areas is never split).
CREATE VIEW AlbyP AS
SELECT s.* FROM 統計 AS s
JOIN (SELECT tre, min(sot) AS firstSot FROM 統計 GROUP BY tre) AS f ON f.tre IS s.tre
ORDER BY s.sn, f.firstSot, s.sot;

-- SAoT: one row per tree path of each first-level group, in print order: the path's item
-- rows (Ct), the first level (AoT), the path (tre, also read as "Tre").
CREATE VIEW SAoT AS
SELECT count(*) AS Ct, AoT, tre
FROM 統計
GROUP BY AoT, tre
ORDER BY min(sn), min(sot);

-- ST: as SAoT, grouped by work type: one row per work type and path, which after the
-- work-type rewrite is one row per work type: item rows (Ct), work type (T), path (tre).
CREATE VIEW ST AS
SELECT count(*) AS Ct, T, tre
FROM 統計
GROUP BY T, tre
ORDER BY min(sn), min(sot);

-- AotS: one row per first-level group (area) in the order the areas first appear by
-- sot: name, 小計 (STop), and the number of its item rows (Ct).
CREATE VIEW AotS AS
SELECT AoT, %1, Ct
FROM (SELECT AoT, round(coalesce(sum(Top), 0), 9) AS STop, count(*) AS Ct, min(sot) AS firstSot
      FROM 統計
      GROUP BY AoT)
ORDER BY firstSot;
)SQL").arg(figure(QStringLiteral("STop")));

    // TOTAL: one row, the grand figures of the quotation: 小計, 成本複計, 毛利, 平均比例.
    sql += figuresView(QStringLiteral("TOTAL"), QString());
    // Aot (also opened as "AoT"): one row per first path level (the area, or the work type
    // when there is no area level), in tree order: name, 小計, 成本複計, 毛利, 平均比例.
    sql += figuresView(QStringLiteral("Aot"), QStringLiteral("AoT"));
    // T: one row per second path level (the work type under an area, all areas together),
    // in the order work types first appear: name, 小計, 成本複計, 毛利, 平均比例.
    sql += figuresView(QStringLiteral("T"), QStringLiteral("T"));
    return sql;
}

QString PtSchemaSql()
{
    return QStringLiteral(R"SQL(
PRAGMA user_version = 1;

-- The page header: the firm and the quotation header, one row.
CREATE TABLE phead (
    con  TEXT,
    coa  TEXT,
    cot  TEXT,
    cof  TEXT,
    cono TEXT,
    coe  TEXT,
    cn   TEXT,
    ct   TEXT,
    cf   TEXT,
    en   TEXT,
    ea   TEXT,
    dy   TEXT,
    qno  TEXT,
    sl   TEXT
);

-- First-page lines in insertion order: numeral, text, unit, quantity, amount.
CREATE TABLE pfp (
    num    TEXT,
    item   TEXT,
    unit   TEXT,
    qty    TEXT,
    amount TEXT
);

-- The five page-end remark slots, each one numbered remark or nothing.
CREATE TABLE ps0 (ps TEXT);
CREATE TABLE ps1 (ps TEXT);
CREATE TABLE ps2 (ps TEXT);
CREATE TABLE ps3 (ps TEXT);
CREATE TABLE ps4 (ps TEXT);

-- Detail lines: numeral or item number, text, unit, quantity, unit price, amount, remark.
CREATE TABLE pbody (
    num    TEXT,
    item   TEXT,
    unit   TEXT,
    qty    TEXT,
    price  TEXT,
    amount TEXT,
    remark TEXT
);
)SQL");
}

} // namespace varn
