#pragma once

#include "records/CompanyRules.h"
#include "records/RegisterConfig.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace varn {

class Database;
class RecordForm;

// The vendor register's record: the 38 columns of 廠商 and the fields that show them, the
// fields that follow the name, the first telephone and the company county, and the supply
// kind (column 35) shown as the two boxes ck0 施工廠商 and ck1 材料供應 with the vendor's
// links to work crews (list Lw) and materials (list Lp).

RegisterConfig VendorRegisterConfig();

// The two kinds of supply a vendor can have, and where each one lives.
enum class SupplyKind { Crews, Materials };

struct SupplyKindInfo {
    QString mode;          // gSupplyMode: "w" or "p"
    QString checkBox;      // ck0 / ck1
    QString list;          // Lw / Lp, the vendor's links in the detail frame
    QString linkTable;     // 商vs工 / 商vs料
    QString linkColumn;    // 工 / 料
    QString itemTable;     // 工班 / 材料, the items one can link
    QString itemSql;       // the items in their order
    QString word;          // 負責工班 / 材料供應, named in the question that drops the links
};

const SupplyKindInfo& SupplyInfo(SupplyKind kind);
// The colour things of the kind are shown on, as 0xRRGGBB: light blue for work crews,
// light green for materials.
unsigned SupplyColour(SupplyKind kind);
// The kind of a supply mode text ("w", "p"); nothing for any other text.
std::optional<SupplyKind> SupplyKindOf(const QString& mode);

// Column 35 as stored, and the two boxes that show it: bit 0 work crews, bit 1 materials;
// anything but 0 to 3 shows both boxes clear.
int SupplyKindValue(bool crews, bool materials);
std::pair<bool, bool> SupplyKindBoxes(const QString& stored);

// A vendor's links of one kind, in the order they were stored.
QStringList ReadSupplyLinks(Database& db, SupplyKind kind, const QString& vendor);

class VendorRules : public CompanyRules {
public:
    VendorRules();
    void fieldChanged(RecordForm& form, const QString& control) override;
    void rowShown(const QStringList& row, RecordForm& form, Database& db) override;
    void fieldsCleared(RecordForm& form) override;
    void adjustRow(QStringList& row, const RecordForm& form, EditMode mode) override;
    // The supply kind shows in the two boxes.
    QStringList fieldsShowing(int column) const override;
    // The supply kind by the captions of its boxes.
    QString describeStored(int column, const QString& stored) const override;
};

} // namespace varn
