#include "records/widgets/frmPrt.h"

#include "platform/ui/Prompter.h"
#include "records/widgets/NamedControls.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace varn {

frmPrt::frmPrt(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrt"));
    setModal(true);
    lstTa = NamedList("lstTa", QAbstractItemView::SingleSelection, this);
    lstOr = NamedList("lstOr", QAbstractItemView::ExtendedSelection, this);

    cmAd = NamedButton("cmAd", QStringLiteral("加入"), this);
    cmMv = NamedButton("cmMv", QStringLiteral("移除"), this);
    cmdUp = NamedButton("cmdUp", QString(), this);
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdUp->setToolTip(QStringLiteral("上移"));
    cmdDn = NamedButton("cmdDn", QString(), this);
    cmdDn->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdDn->setToolTip(QStringLiteral("下移"));
    cmdP = NamedButton("cmdP", QStringLiteral("列印"), this);
    Command1 = NamedButton("Command1", QStringLiteral("離開"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("欲列印欄位："), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("所有欄位："), this), 0, 2);
    grid->addWidget(lstTa, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* b : {cmAd, cmMv, cmdUp, cmdDn})
        middle->addWidget(b);
    middle->addStretch(1);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(lstOr, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdP);
    bottom->addWidget(Command1);
    grid->addLayout(bottom, 2, 0, 1, 3);

    connect(cmAd, &QPushButton::clicked, this, &frmPrt::cmAd_Click);
    connect(cmMv, &QPushButton::clicked, this, &frmPrt::cmMv_Click);
    connect(cmdUp, &QPushButton::clicked, this, &frmPrt::cmdUp_Click);
    connect(cmdDn, &QPushButton::clicked, this, &frmPrt::cmdDn_Click);
    connect(cmdP, &QPushButton::clicked, this, &frmPrt::cmdP_Click);
    connect(Command1, &QPushButton::clicked, this, &frmPrt::Command1_Click);
    connect(lstOr, &QListWidget::itemDoubleClicked, this, &frmPrt::cmAd_Click);
    connect(lstTa, &QListWidget::itemDoubleClicked, this, &frmPrt::cmMv_Click);
}

bool frmPrt::load(int printKind)
{
    const PrintKindInfo* info = FindPrintKind(printKind);
    if (!info)
        return false;
    m_kind = printKind;
    setWindowTitle(info->caption);
    try {
        m_chooser.setAvailable(PrintableColumns(PrintSourceDatabase(), printKind));
    } catch (const std::exception& e) {
        prompter().inform(QString::fromUtf8(e.what()), PromptIcon::Critical);
        return false;
    }
    showLists(-1);
    return true;
}

void frmPrt::showLists(int chosenRow)
{
    lstOr->clear();
    lstOr->addItems(m_chooser.available());
    lstTa->clear();
    lstTa->addItems(m_chooser.chosen());
    if (chosenRow >= 0 && chosenRow < lstTa->count())
        lstTa->setCurrentRow(chosenRow);
}

void frmPrt::cmAd_Click()
{
    const QList<int> rows = SelectedRows(lstOr);
    if (rows.isEmpty())
        return;
    m_chooser.add(rows);
    showLists(-1);
}

void frmPrt::cmMv_Click()
{
    const QList<QListWidgetItem*> selected = lstTa->selectedItems();
    if (selected.isEmpty())
        return;
    m_chooser.remove(lstTa->row(selected.first()));
    showLists(-1);
}

void frmPrt::move(bool up)
{
    const QList<QListWidgetItem*> selected = lstTa->selectedItems();
    const int row = selected.isEmpty() ? -1 : lstTa->row(selected.first());
    switch (up ? m_chooser.moveUp(row) : m_chooser.moveDown(row)) {
    case ColumnChooser::Move::NoSelection:
        prompter().inform(QStringLiteral("請先選取 再行調整順序"), PromptIcon::None);
        break;
    case ColumnChooser::Move::AtEnd:
        QApplication::beep();
        break;
    case ColumnChooser::Move::Moved:
        showLists(up ? row - 1 : row + 1);
        break;
    }
}

void frmPrt::cmdUp_Click()
{
    move(true);
}

void frmPrt::cmdDn_Click()
{
    move(false);
}

void frmPrt::cmdP_Click()
{
    if (m_chooser.chosen().isEmpty()) {
        prompter().inform(QStringLiteral("沒有選取欄位\r\n無法列印"), PromptIcon::Warning);
        return;
    }
    PrintRegisterList(m_kind, m_chooser.chosen());
}

void frmPrt::Command1_Click()
{
    reject();
}

} // namespace varn
