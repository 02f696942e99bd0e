#include "records/widgets/frmWP.h"

#include "records/widgets/NamedControls.h"
#include "shared/ProgramState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {

QListWidget* list(const char* name, QWidget* parent)
{
    return NamedList(name, QAbstractItemView::ExtendedSelection, parent);
}

} // namespace

frmWP::frmWP(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWP"));
    setModal(true);
    const mdPro& pro = state().pro;
    if (const std::optional<SupplyKind> kind = SupplyKindOf(pro.gSupplyMode))
        m_links = std::make_unique<SupplyLinks>(*kind, pro.gVendorName);

    lbCusName = new QLabel(QStringLiteral("目前廠商：【") + pro.gVendorName + QStringLiteral("】"), this);
    lbCusName->setObjectName(QStringLiteral("lbCusName"));
    LbO = new QLabel(QStringLiteral("原有的:"), this);
    LbNew = new QLabel(QStringLiteral("新增的:"), this);
    LbAll = new QLabel(QStringLiteral("所有的:"), this);
    LsO = list("LsO", this);
    LsNew = list("LsNew", this);
    LsNew->setSelectionMode(QAbstractItemView::NoSelection);
    LsAll = list("LsAll", this);
    cmMv = NamedButton("cmMv", QStringLiteral("移除"), this);
    cmAd = NamedButton("cmAd", QStringLiteral("加入"), this);
    Command3 = NamedButton("Command3", QStringLiteral("恢復原始狀態"), this);
    Command1 = NamedButton("Command1", QStringLiteral("確定"), this);
    Command2 = NamedButton("Command2", QStringLiteral("取消"), this);
    Command4 = NamedButton("Command4", QStringLiteral("離開"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(LbO, 0, 0);
    grid->addWidget(LsO, 1, 0);
    grid->addWidget(cmMv, 1, 1, Qt::AlignCenter);
    grid->addWidget(LbNew, 2, 0);
    grid->addWidget(LsNew, 3, 0);
    grid->addWidget(cmAd, 3, 1, Qt::AlignCenter);
    grid->addWidget(LbAll, 0, 2);
    grid->addWidget(LsAll, 1, 2, 3, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command3, Command1, Command2, Command4})
        buttons->addWidget(b);
    auto* root = new QVBoxLayout(this);
    root->addWidget(lbCusName, 0, Qt::AlignHCenter);
    root->addLayout(grid, 1);
    root->addLayout(buttons);

    connect(cmAd, &QPushButton::clicked, this, &frmWP::cmAd_Click);
    connect(cmMv, &QPushButton::clicked, this, &frmWP::cmMv_Click);
    connect(Command1, &QPushButton::clicked, this, &frmWP::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWP::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWP::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmWP::Command4_Click);

    if (m_links) {
        setWindowTitle(m_links->caption());
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(QRgb(m_links->background())));
        setPalette(palette);
        LbO->setText(m_links->originalCaption());
        LbNew->setText(m_links->addedCaption());
        LbAll->setText(m_links->allCaption());
    }
    FillLinkLists();
}

frmWP::~frmWP() = default;

void frmWP::FillLinkLists()
{
    if (m_links)
        m_links->load();
    showLists();
}

void frmWP::showLists()
{
    const std::pair<QListWidget*, QStringList> lists[] = {
        {LsO, m_links ? m_links->original() : QStringList()},
        {LsNew, m_links ? m_links->added() : QStringList()},
        {LsAll, m_links ? m_links->all() : QStringList()},
    };
    for (const auto& [widget, items] : lists) {
        widget->clear();
        widget->addItems(items);
    }
}

void frmWP::cmAd_Click()
{
    if (!m_links)
        return;
    m_links->add(SelectedRows(LsAll));
    showLists();
}

void frmWP::cmMv_Click()
{
    if (!m_links)
        return;
    m_links->remove(SelectedRows(LsO));
    showLists();
}

void frmWP::Command1_Click()
{
    if (m_links && !m_links->commit())
        return;
    accept();
}

void frmWP::Command2_Click()
{
    reject();
}

void frmWP::Command3_Click()
{
    FillLinkLists();
}

void frmWP::Command4_Click()
{
    reject();
}

} // namespace varn
