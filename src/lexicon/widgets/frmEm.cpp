#include "lexicon/widgets/frmEm.h"

#include "lexicon/LexiconText.h"
#include "lexicon/widgets/Controls.h"
#include "lexicon/widgets/frmEng.h"
#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "shared/ProgramState.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {

Database* database()
{
    return state().m.gDb.get();
}

} // namespace

frmEm::frmEm(QWidget* parent)
    : QDialog(parent)
    , m_list(state().eng.gListKind)
{
    setObjectName(QStringLiteral("frmEm"));
    setModal(true);
    setWindowTitle(m_list.kind().caption);
    QPalette p = palette();
    p.setColor(QPalette::Window, m_list.kind().code == QLatin1String("k") ? frmEng::categoryBack() : frmEng::kindBack());
    setPalette(p);
    setAutoFillBackground(true);

    LsM = new QListWidget(this);
    LsM->setObjectName(QStringLiteral("LsM"));
    LsM->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdNew = NamedButton(this, "cmdNew", QStringLiteral("新增"));
    cmdEdit = NamedButton(this, "cmdEdit", QStringLiteral("修改"));
    cmdDel = NamedButton(this, "cmdDel", QStringLiteral("刪除"));
    cmdUp = NamedButton(this, "cmdUp", QStringLiteral("▲"));
    cmdDn = NamedButton(this, "cmdDn", QStringLiteral("▼"));
    Command1 = NamedButton(this, "Command1", QStringLiteral("離開"));

    fm = new QFrame(this);
    fm->setObjectName(QStringLiteral("fm"));
    fm->setFrameShape(QFrame::StyledPanel);
    lb1 = new QLabel(fm);
    lb2 = new QLabel(fm);
    txt = new QLineEdit(fm);
    txt->setObjectName(QStringLiteral("txt"));
    cmdY = NamedButton(fm, "cmdY", QStringLiteral("確定"));
    cmdN = NamedButton(fm, "cmdN", QStringLiteral("取消"));
    auto* entry = new QGridLayout(fm);
    entry->addWidget(lb1, 0, 0);
    entry->addWidget(lb2, 0, 1);
    entry->addWidget(txt, 1, 0, 1, 2);
    entry->addWidget(cmdY, 2, 0);
    entry->addWidget(cmdN, 2, 1);
    fm->hide();

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {cmdNew, cmdEdit, cmdDel, cmdUp, cmdDn})
        side->addWidget(b);
    side->addStretch();
    side->addWidget(Command1);
    auto* top = new QHBoxLayout;
    top->addWidget(LsM, 1);
    top->addLayout(side);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top, 1);
    v->addWidget(fm);

    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(cmdUp, &QPushButton::clicked, this, [this] { cmdUp_Click(); });
    connect(cmdDn, &QPushButton::clicked, this, [this] { cmdDn_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdY, &QPushButton::clicked, this, [this] { cmdY_Click(); });
    connect(cmdN, &QPushButton::clicked, this, [this] { cmdN_Click(); });
    connect(txt, &QLineEdit::returnPressed, this, [this] { cmdY_Click(); });

    const bool canEdit = CanEditLexicon(state().m.gRights);
    for (QPushButton* b : {cmdNew, cmdEdit, cmdDel, cmdUp, cmdDn})
        b->setEnabled(canEdit);

    setHeightTwips(NormalHeight);
    LoadList();
}

void frmEm::setHeightTwips(int twips)
{
    m_heightTwips = twips;
    resize(TwipsToPixels(4800), TwipsToPixels(twips));
}

int frmEm::selected() const
{
    const int row = LsM->currentRow();
    return LsM->currentItem() && LsM->currentItem()->isSelected() ? row : -1;
}

void frmEm::showList(int select)
{
    LsM->clear();
    LsM->addItems(m_list.names());
    if (select >= 0 && select < LsM->count())
        LsM->setCurrentRow(select);
}

void frmEm::LoadList()
{
    if (Database* db = database()) {
        try {
            m_list.load(*db);
        } catch (const DbError& e) {
            prompter().inform(DbFailureMessage(QStringLiteral("清單無法讀取"), e), PromptIcon::Critical);
        }
    }
    showList();
}

void frmEm::SaveList()
{
    if (Database* db = database(); db && CanEditLexicon(state().m.gRights))
        m_list.save(*db);
}

void frmEm::cmdNew_Click()
{
    EntryMode = QStringLiteral("Add");
    fm->show();
    setHeightTwips(EntryHeight);
    lb1->setText(QStringLiteral("新增"));
    lb2->setText(m_list.kind().addLine);
    txt->clear();
    txt->setFocus();
}

void frmEm::cmdEdit_Click()
{
    const int i = selected();
    if (i < 0) {
        prompter().inform(QStringLiteral("請先選取"), PromptIcon::None);
        return;
    }
    EntryMode = QStringLiteral("Edit");
    fm->show();
    fm->setPalette(palette());
    setHeightTwips(EntryHeight);
    lb1->setText(QStringLiteral("修改【%1】成為：").arg(m_list.names().at(i)));
    lb2->clear();
    txt->setText(m_list.names().at(i));
    txt->setFocus();
    txt->selectAll();
}

void frmEm::closeEntry()
{
    txt->clear();
    fm->hide();
    setHeightTwips(NormalHeight);
}

void frmEm::cmdY_Click()
{
    Database* db = database();
    if (!db)
        return;
    const QString name = txt->text();
    bool ok = false;
    QString renamed;
    if (EntryMode == QLatin1String("Add")) {
        ok = m_list.add(*db, name);
    } else {
        const int i = selected();
        renamed = i >= 0 ? m_list.names().at(i) : QString();
        ok = i >= 0 && m_list.rename(*db, i, name);
    }
    if (!ok) {
        // The frame stays open with the name to correct, and the entry being renamed stays
        // chosen so that the next 確定 still knows which one it is.
        showList(static_cast<int>(m_list.names().indexOf(renamed)));
        txt->setFocus();
        txt->selectAll();
        return;
    }
    showList();
    closeEntry();
}

void frmEm::cmdN_Click()
{
    closeEntry();
}

void frmEm::cmdDel_Click()
{
    const int i = selected();
    if (i < 0) {
        prompter().inform(QStringLiteral("請先選取"), PromptIcon::None);
        return;
    }
    if (Database* db = database()) {
        m_list.remove(*db, i);
        showList();
    }
}

void frmEm::moved(std::optional<int> to)
{
    if (!to) {
        QApplication::beep();
        return;
    }
    showList(*to);
}

void frmEm::cmdUp_Click()
{
    const int i = selected();
    if (i < 0) {
        prompter().inform(QStringLiteral("請先選取 再行調整順序"), PromptIcon::None);
        return;
    }
    moved(m_list.moveUp(i));
}

void frmEm::cmdDn_Click()
{
    const int i = selected();
    if (i < 0) {
        prompter().inform(QStringLiteral("請先選取 再行調整順序"), PromptIcon::None);
        return;
    }
    moved(m_list.moveDown(i));
}

void frmEm::Command1_Click()
{
    close();
}

void frmEm::done(int result)
{
    if (!m_saved) {
        m_saved = true;
        SaveList();
    }
    QDialog::done(result);
}

} // namespace varn
