#pragma once

#include "statistics/StatisticsCommands.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace varn {

class Database;
class GridView;
class Quotation;

// The statistics window: the figures of the quotation by work type or by area, with a
// totals row, and a button that prints the grid into the statistics workbook.
//
// The quotation window runs mCalT_Click / mCalA_Click (menu 統計 and the tree's popup);
// each rebuilds the statistics and shows this window modally. The two view buttons close
// the window and run the other command, which shows it again.
class frmCal : public QDialog {
    Q_OBJECT
public:
    frmCal(Quotation& q, Database& staDb, QWidget* parent = nullptr);

    void mCalT_Click();
    void mCalA_Click();

    void Command1_Click();   // 依 工 種
    void Command2_Click();   // 依 區 域
    void Command3_Click();   // 列  印
    void cmdExit_Click();    // 離開

    StatisticsCommands& commands() { return m_commands; }
    QPushButton* command1() const { return m_command1; }
    QPushButton* command2() const { return m_command2; }
    QPushButton* command3() const { return m_command3; }
    GridView* hfgC() const { return m_grid; }

private:
    void run(StatisticsBy first);

    StatisticsCommands m_commands;
    GridView* m_grid = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    QPushButton* m_exit = nullptr;
    std::optional<StatisticsBy> m_next;
};

// Exports the statistics grid (the columns the user may see, amounts whole) into a new
// workbook from the statistics template and opens it in the spreadsheet program; without
// one, the message names the saved file. Failures are told through the prompter. Returns
// the saved file, or an empty text.
QString ExportStatisticsGrid(StatisticsCommands& commands);

} // namespace varn
