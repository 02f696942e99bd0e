#pragma once

#include "records/VendorRecord.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace varn {

class Database;

// The supply-links window's lists for one vendor and one kind: the vendor's links as
// stored (原有的), the items added since (新增的) and every other item (所有的). Nothing
// reaches the database before commit(), which replaces all of the vendor's links of that
// kind in one transaction.
class SupplyLinks {
public:
    // db: the connection to use; without one, gDb at the time of each command.
    SupplyLinks(SupplyKind kind, QString vendor, std::shared_ptr<Database> db = {});

    SupplyKind kind() const { return m_kind; }
    QString vendor() const { return m_vendor; }

    QString caption() const;        // 施工廠商 編輯 / 材料供應 編輯
    QString vendorLabel() const;    // 目前廠商：【name】
    unsigned background() const;    // SupplyColour of the kind
    QString originalCaption() const;
    QString addedCaption() const;
    QString allCaption() const;

    const QStringList& original() const { return m_original; }
    const QStringList& added() const { return m_added; }
    const QStringList& all() const { return m_all; }

    // FillLinkLists (also 恢復原始狀態): the lists as stored. False on a database failure
    // (told; the lists are then empty).
    bool load();
    // 加入: the chosen rows of 所有的 go to the end of 新增的, in list order.
    void add(const QList<int>& allRows);
    // 移除: the chosen rows of 原有的 go to the end of 所有的, in list order.
    void remove(const QList<int>& originalRows);
    // 確定: the vendor's links of this kind become 原有的 then 新增的. False when the
    // database refused (told; nothing changed).
    bool commit();

private:
    Database& db();
    void dropFrom(QStringList& list, const QStringList& taken);

    SupplyKind m_kind;
    QString m_vendor;
    std::shared_ptr<Database> m_db;
    QStringList m_original;
    QStringList m_added;
    QStringList m_all;
};

} // namespace varn
