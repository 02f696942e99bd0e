#pragma once

#include "platform/grid/GridModel.h"
#include "records/EditComparison.h"
#include "records/RecordForm.h"
#include "records/RegisterConfig.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

namespace varn {

class Database;

// The register engine behind the customer, vendor and employee windows: the list of
// records by code prefix, by category or by a search over every column, the record
// states (browse, add, edit, search results), showing, saving and deleting the chosen
// record, and the record code of a new name. It knows nothing of widgets: a window binds
// its controls to list(), form() and the state getters, and calls the commands.
//
// Every database failure is shown as a message titled "Varn III" and leaves the engine
// in the state it had before the command.
class RegisterEngine : public QObject {
    Q_OBJECT
public:
    // db: the connection to use; without one, the program's shared connection (gDb) at
    // the time of each command.
    explicit RegisterEngine(RegisterConfig config, std::shared_ptr<Database> db = {},
                            QObject* parent = nullptr);
    ~RegisterEngine() override;

    const RegisterConfig& config() const { return m_config; }
    GridModel& list() { return m_list; }
    RecordForm& form() { return m_form; }
    const RecordForm& form() const { return m_form; }

    // --- state -------------------------------------------------------------------
    EditMode editMode() const { return m_mode; }
    QString editModeText() const;           // "", "AddF", "EditF", "QureF"
    bool editing() const { return m_mode == EditMode::Add || m_mode == EditMode::Edit; }
    QString selectedName() const { return m_selectedName; }
    QString currentPrefix() const { return m_currentPrefix; }
    // The name of the stored record the fields show; empty when they show none (cleared,
    // a new record, a record being changed).
    QString shownName() const { return m_shownName; }
    bool fullPage() const { return m_fullPage; }
    bool fieldsEditable() const { return editing(); }
    bool nameEditable() const { return m_mode == EditMode::Add; }
    bool gridEnabled() const { return !editing(); }
    bool searchLayout() const { return m_searchLayout; }
    // The user may add, change, delete and print (the register's rights character).
    bool canEdit() const;
    QString stateLabel() const;             // "新增中", "修改中" or empty
    QString prefixText() const { return m_prefixText; }       // Combo1
    QString categoryText() const { return m_categoryText; }   // Combo2
    QStringList categoryChoices() const { return m_categoryChoices; }
    QString lastSql() const { return m_lastSql; }             // FormSql

    // --- loading -------------------------------------------------------------------
    // Everything the window does when it opens: the lookup lists, the category filter,
    // the counties, and the list of the first prefix that has records.
    virtual void load();
    void loadLookups();
    void loadCategoryFilter();
    void loadCities();
    void setGridHeader();

    // --- listing -------------------------------------------------------------------
    // Lists the records whose code begins with the prefix, walking on to the next prefix
    // until one has records; an empty prefix lists every record. False when nothing was
    // found (the list keeps what it showed) or the database failed.
    bool listByCode(const QString& prefix);
    bool listByType(const QString& category);
    // Fills the list layout from any query of the list's columns (vendors by supply).
    // Returns the number of rows listed, 0 when there are none (the list keeps what it
    // showed), or -1 on a database failure (reported).
    int fillList(const QString& sql, const QVariantList& params = {});
    // 全文搜尋: asks for the text and lists every column of every record that holds it.
    void search();
    // 全部客戶: every record, simple page.
    void showAll();

    // --- choosing and showing -------------------------------------------------------
    // A click (or an arrow key) on a list row: chooses its record and shows it.
    bool selectRow(int row);
    // A double click: chooses the row's record and shows it on the full page, read-only.
    bool openRow(int row);
    // Reads the chosen record into the fields; clears them when it no longer exists.
    bool showRecord();
    // 整頁模式>> / 簡單模式<<.
    void togglePageMode();
    void setPageMode(bool full);

    // --- editing -------------------------------------------------------------------
    bool beginAdd();     // 新增
    bool beginEdit();    // 修改
    bool save();         // 確定
    void cancel();       // 取消
    bool deleteSelected();   // 刪除
    // The name box was left: a new record's code from the name (nothing while not adding
    // or when the name is empty).
    void nameLeft();
    // The record code the name would get now; empty for an empty name.
    QString codeForName(const QString& name);
    // A date picker changed: its text box follows.
    void pickDate(const QString& picker, const QDate& date);
    // The window is closing: true when it may (nothing being added or changed, or the
    // user agreed to drop it).
    bool confirmClose();
    // The user ticked or cleared a check box of the record; a register with a rule for
    // the box runs it here.
    virtual void checkToggled(const QString& control, bool checked);

    // How wide a text is in the window's font, in twips: the list's headings and codes
    // get at least that much room. Without one the configured widths stand.
    void setTextWidthMeasure(std::function<int(const QString&)> measure);

signals:
    void stateChanged();
    void pageModeChanged(bool full);
    void focusRequested(const QString& control);
    void filterTextsChanged();
    void selectedNameChanged(const QString& name);

protected:
    Database& db();
    // Tells a database failure: what could not be done (reading unless said otherwise),
    // why, and that nothing was lost.
    void reportFailure(const class DbError& e, const QString& action = QStringLiteral("資料無法讀取"));
    void say(const QString& text, PromptIcon icon);

private:
    void setMode(EditMode mode);
    void setSelectedName(const QString& name);
    void setPrefixText(const QString& text);
    void setCategoryText(const QString& text);
    void clearFields();
    bool fillFromRecordset(const class Recordset& rs);
    std::optional<QStringList> readRow(Database& database, const QString& column, const QString& value);
    std::optional<QStringList> readEditedRow(Database& database);
    // The record being changed as another workstation stored it meanwhile, and the
    // message naming the fields both changed.
    struct ChangedElsewhere {
        QStringList stored;
        QVector<int> mine;   // the columns this user changed
        QString message;
    };
    void insertRow(Database& database, const QStringList& row, const QString& name);
    bool storeEdit(Database& database, const QStringList& row, const QStringList& now,
                   std::optional<ChangedElsewhere>& conflict);
    bool updateRow(Database& database, const QStringList& row, const QVector<int>& columns, const QString& name);
    void rememberLoaded(const QStringList& stored);
    QString changedElsewhereText(const QVector<int>& columns, const QStringList& stored);
    void showChangedElsewhere(const ChangedElsewhere& conflict);
    QStringList fieldsShowing(int column) const;
    int columnOf(const QString& control) const;
    void refreshAfterWrite(const QString& name);
    void fitColumn(int col, const QString& text);
    std::optional<QStringList> readSelectedRow();
    void writeRowToFields(const QStringList& row);
    QStringList rowFromFields() const;
    QStringList tableColumns();
    void selectListedName(const QString& name);
    int nameColumnOfList() const;

    RegisterConfig m_config;
    std::shared_ptr<Database> m_db;
    GridModel m_list;
    RecordForm m_form;

    EditMode m_mode = EditMode::Browse;
    QString m_selectedName;
    QString m_currentPrefix;
    QString m_shownName;
    QString m_editingName;
    LoadedRecord m_loaded;         // the record being changed, as 修改 loaded it
    bool m_fullPage = false;
    bool m_searchLayout = false;
    QString m_prefixText;
    QString m_categoryText;
    QStringList m_categoryChoices;
    QString m_lastSql;
    QString m_storedNotice;        // said with a failure while the list follows a write
    bool m_storedNoticeGiven = false;
    std::function<int(const QString&)> m_measure;
};

} // namespace varn
