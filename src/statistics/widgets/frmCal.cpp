#include "statistics/widgets/frmCal.h"

#include "platform/db/DbError.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/BusyIndicator.h"
#include "output/DeliveredWorkbook.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "platform/workbook/WorkbookError.h"
#include "statistics/PrintDatabase.h"
#include "statistics/StatisticsExport.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

frmCal::frmCal(Quotation& q, Database& staDb, QWidget* parent)
    : QDialog(parent), m_commands(q, staDb)
{
    setWindowTitle(QStringLiteral("統計"));
    m_grid = new GridView(this);
    m_grid->setGridModel(&m_commands.hfgC());

    m_command1 = new QPushButton(QStringLiteral("依 工 種"), this);
    m_command2 = new QPushButton(QStringLiteral("依 區 域"), this);
    m_command3 = new QPushButton(QStringLiteral("列  印"), this);
    m_exit = new QPushButton(QStringLiteral("離        開"), this);
    for (QPushButton* b : {m_command1, m_command2, m_command3, m_exit})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addWidget(m_command3);
    buttons->addStretch();
    buttons->addWidget(m_exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(TwipsToPixels(9800), TwipsToPixels(6000));

    connect(m_command1, &QPushButton::clicked, this, &frmCal::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &frmCal::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &frmCal::Command3_Click);
    connect(m_exit, &QPushButton::clicked, this, &frmCal::cmdExit_Click);
}

void frmCal::mCalT_Click()
{
    run(StatisticsBy::WorkType);
}

void frmCal::mCalA_Click()
{
    run(StatisticsBy::Area);
}

void frmCal::run(StatisticsBy first)
{
    // A command from the quotation window starts afresh; the view buttons then switch
    // views inside this loop rather than opening the window again from within itself.
    m_command2->setEnabled(true);
    m_next = first;
    while (m_next) {
        const StatisticsBy by = *m_next;
        m_next.reset();
        try {
            if (!m_commands.run(by))
                m_command2->setEnabled(false);
        } catch (const DbError& e) {
            prompter().inform(QString::number(e.number()) + QLatin1Char('\n') + e.description(),
                              PromptIcon::Critical);
            return;
        }
        exec();
    }
}

void frmCal::Command1_Click()
{
    m_next = StatisticsBy::WorkType;
    hide();
}

void frmCal::Command2_Click()
{
    m_next = StatisticsBy::Area;
    hide();
}

void frmCal::Command3_Click()
{
    ExportStatisticsGrid(m_commands);
}

void frmCal::cmdExit_Click()
{
    m_next.reset();
    reject();
}

QString ExportStatisticsGrid(StatisticsCommands& commands)
{
    QString saved;
    try {
        BusyScope busy(QStringLiteral("統計表輸出中…"));
        saved = ExportStatistics(commands.exportRows(), StatisticsTemplatePath(), OutputFolder());
    } catch (const WorkbookError& e) {
        prompter().inform(e.message(), PromptIcon::Critical);
        return {};
    }
    DeliverSavedWorkbook(saved);
    return saved;
}

} // namespace varn
