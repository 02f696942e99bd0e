#pragma once

#include "records/RegisterEngine.h"
#include "records/VendorRecord.h"

namespace varn {

// The vendor register: the engine run on 廠商, with the vendors listed by the work crew or
// material they are linked to, and the supply-kind boxes whose clearing drops the links.
// The chosen vendor is gVendorName, which the links window reads.
class VendorRegister : public RegisterEngine {
    Q_OBJECT
public:
    explicit VendorRegister(std::shared_ptr<Database> db = {}, QObject* parent = nullptr);

    // Also fills the work-crew and material boxes of the search bar.
    void load() override;

    // Entries of the search bar's cbW (工班) and cbP (材料), and the texts they show.
    QStringList crewChoices() const { return m_choices[0]; }
    QStringList materialChoices() const { return m_choices[1]; }
    QString crewText() const { return m_texts[0]; }
    QString materialText() const { return m_texts[1]; }

    // cbW_Click / cbP_Click: every vendor linked to the item, in code order (once per
    // link). Nothing found: "所選無資料", the list stays as it was.
    bool listBySupply(SupplyKind kind, const QString& item);

    // A supply-kind box was toggled by the user: ticked shows its links; cleared while the
    // vendor has links asks first and, on Yes, drops those links at once.
    void checkToggled(const QString& control, bool checked) override;

    // 編輯 … <<-- of a link frame: true when the links window may open for the shown
    // vendor (gSupplyMode is then set); the name box must not be empty.
    bool beginLinks(SupplyKind kind);
    // The links window has closed: the frame's list as stored now.
    void linksClosed(SupplyKind kind);

private:
    QStringList m_choices[2];
    QString m_texts[2];
};

} // namespace varn
