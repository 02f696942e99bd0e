#pragma once

#include "platform/ui/Prompter.h"
#include "records/RecordRules.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

namespace varn {

// One column of a register table and the field(s) that show it. A compound column
// "a;b" has two fields; a column with no field is neither shown nor written.
struct ColumnBinding {
    QString first;
    QString second;
    bool compound() const { return !second.isEmpty(); }
    bool bound() const { return !first.isEmpty(); }
};

// A lookup list read into a combo box's list.
struct LookupSource {
    QString control;
    QString sql;
};

// A date picker and the text box that shows its date as a register date (92/2/19).
struct DateBinding {
    QString picker;
    QString box;
};

struct RegisterTexts {
    QString caption;          // window caption
    QString noSelection;      // 修改, 刪除 or the full page without a chosen record
    QString required;         // a required field is empty
    QString duplicate;        // the database refused a second record of the same name
    QString recordGone;       // the chosen record is no longer in the table
    QString discardEdit;      // closing the window while adding or editing
    QString showAllCaption;   // 全部客戶 / 全部廠商 / 全部顯示
    QString searchNameHeader; // name column heading of the search results
    PromptIcon noCodeIcon = PromptIcon::Warning;   // "所選編號無記錄"
    PromptIcon requiredIcon = PromptIcon::Warning;
};

// Everything by which the three registers differ as far as the engine is concerned.
// Names of tables and columns here are the program's own constants, never typed text.
struct RegisterConfig {
    QString table;            // 客戶
    QString codeColumn;       // 客戶編號
    QString nameColumn;       // 客戶名稱, the unique key
    QString typeColumn;       // type; empty when the register has no category filter
    QString listSelect;       // select list of the list layout, in grid column order
    QStringList gridHeaders;  // list layout headings, column 0 first
    QVector<int> gridWidths;  // list layout widths in twips, column 0 first
    QVector<int> blankedColumns{3, 4, 5};  // grid columns shown through SemicolonToBlank
    int nameListColumn = 2;   // grid column of the name in the list layout
    QString categoryFilterSource;          // Tp4C: first column lists the categories

    QVector<LookupSource> lookups;
    QString citiesTable = QStringLiteral("縣市");
    QStringList countyControls;            // combo boxes that list the counties
    QString areaCodeList = QStringLiteral("L1");

    QVector<ColumnBinding> columns;        // by table position
    // A compound column whose first part is not a county holds "area code;number".
    bool holdsPhoneNumber(qsizetype position) const
    {
        return position >= 0 && position < columns.size() && columns.at(position).compound()
            && !countyControls.contains(columns.at(position).first);
    }
    QString codeControl = QStringLiteral("t1");
    QString nameControl = QStringLiteral("t2");
    QStringList requiredControls;
    QString firstEditControl = QStringLiteral("t3");  // focus when 修改 starts
    QVector<DateBinding> dates;
    bool datesFilledOnAdd = true;          // 新增 sets the boxes from today's date too
    QStringList searchSkippedColumns;      // never searched (compared without case)
    QStringList cascadeDeletes;            // statements with one parameter, the name

    QString firstListPrefix = QStringLiteral("01");   // listed when the window opens
    QString initialCurrentPrefix;                     // listed again after a delete
    bool listSavedPrefix = true;           // a save lists the first two characters of its code
    int rightsCharacter = 4;               // character of RightsToBinary12 that lets edit
    int simpleHeightTwips = 3600;
    int fullHeightTwips = 8400;

    RegisterTexts texts;
    std::shared_ptr<RecordRules> rules;
};

} // namespace varn
