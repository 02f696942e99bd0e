// The tree tv of the quotation window: mirroring the document's tree, its popup mTV and
// the name pick list lstAK with its popup mADAK.
#include "quotation/widgets/frmQ.h"

#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "quotation/PickLists.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/CellEditors.h"
#include "shared/ProgramState.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace varn {

namespace {

constexpr int PickListWidthTwips = 2600;

} // namespace

void frmQ::refreshTree()
{
    m_syncingTree = true;
    {
        const QSignalBlocker block(m_tv);
        m_tv->clear();
        m_treeItems.clear();
        const std::vector<const TreeNode*> nodes = m_doc->tree().nodes();
        for (const TreeNode* node : nodes) {
            QTreeWidgetItem* item = node->parent
                                        ? new QTreeWidgetItem(m_treeItems.value(node->parent->key))
                                        : new QTreeWidgetItem(m_tv);
            item->setText(0, node->name);
            item->setData(0, Qt::UserRole, node->key);
            m_treeItems.insert(node->key, item);
        }
        for (const TreeNode* node : nodes)
            m_treeItems.value(node->key)->setExpanded(node->expanded || node->isRoot());
    }
    m_syncingTree = false;
    selectTreeItem(m_doc->shownPath());
}

void frmQ::selectTreeItem(const QString& key)
{
    QTreeWidgetItem* item = m_treeItems.value(key);
    if (!item || m_tv->currentItem() == item)
        return;
    m_syncingTree = true;
    m_tv->setCurrentItem(item);
    m_tv->scrollToItem(item);
    m_syncingTree = false;
}

void frmQ::tv_NodeClick(const QString& key)
{
    m_lstAK->hide();
    m_doc->tv_NodeClick(key);
}

void frmQ::tv_MouseDown(Qt::MouseButton button, const QString& key, const QPoint& globalPos)
{
    m_editors->HideCellEditors();
    const QString target = key.isEmpty() ? m_doc->shownPath() : key;
    if (!m_doc->tree().contains(target))
        return;
    m_treeKey = target;
    if (button != Qt::RightButton)
        return;
    // The popup acts on the node under the mouse, which the grid then shows.
    if (m_doc->shownPath() != target)
        tv_NodeClick(target);

    const TreeMenuState s = m_doc->treeMenuState(target);
    action(QStringLiteral("mAddA"))->setEnabled(s.addArea);
    action(QStringLiteral("mAddT"))->setEnabled(s.addWorkType);
    action(QStringLiteral("mInsN"))->setEnabled(s.insert);
    action(QStringLiteral("mInsA"))->setEnabled(s.insertArea);
    action(QStringLiteral("mInsT"))->setEnabled(s.insertWorkType);
    action(QStringLiteral("mDelN"))->setEnabled(s.remove);
    // Statistics need their database and the statistics window.
    const bool statistics = s.statistics && staDb();
    action(QStringLiteral("mCal"))->setEnabled(statistics);
    action(QStringLiteral("mCalT"))->setEnabled(statistics && s.statisticsByWorkType
                                                && hasCommandHandler(QStringLiteral("mCalT")));
    action(QStringLiteral("mCalA"))->setEnabled(statistics && s.statisticsByArea
                                                && hasCommandHandler(QStringLiteral("mCalA")));
    m_mTV->popup(globalPos);
}

void frmQ::mAddA_Click()
{
    openNamePick(static_cast<int>(TreeCommand::AddArea));
}

void frmQ::mAddT_Click()
{
    openNamePick(static_cast<int>(TreeCommand::AddWorkType));
}

void frmQ::mInsA_Click()
{
    openNamePick(static_cast<int>(TreeCommand::InsertArea));
}

void frmQ::mInsT_Click()
{
    openNamePick(static_cast<int>(TreeCommand::InsertWorkType));
}

void frmQ::openNamePick(int which)
{
    const auto command = static_cast<TreeCommand>(which);
    if (m_treeKey.isEmpty() || !m_doc->tree().contains(m_treeKey))
        m_treeKey = m_doc->shownPath();
    const bool areas = command == TreeCommand::AddArea || command == TreeCommand::InsertArea;

    PickList names;
    const std::shared_ptr<Database> db = state().m.gDb;
    if (!db)
        names.error = QStringLiteral("無法開啟主資料庫,詞庫無法讀取");
    else if (areas)
        names = PickLists::areasOf(*db, m_cbK->currentText());
    else
        names = PickLists::workTypes(*db);
    showPickFailure(names);

    m_lstAK->clear();
    m_lstAK->addItems(m_doc->pickListEntries(command, m_treeKey, names.entries));
    m_insertPick = command == TreeCommand::InsertArea || command == TreeCommand::InsertWorkType;
    m_workTypePick = command == TreeCommand::AddWorkType;

    // Beside the tree, as tall as the tree allows.
    const QRect tree(m_tv->mapTo(centralWidget(), QPoint(0, 0)), m_tv->size());
    const int height = std::max(TwipsToPixels(1000), tree.height() - TwipsToPixels(200));
    m_lstAK->setGeometry(tree.right() + 1, tree.top(), TwipsToPixels(PickListWidthTwips), height);
    action(QStringLiteral("mADakO"))->setEnabled(false);
    m_lstAK->show();
    m_lstAK->raise();
    m_lstAK->setFocus(Qt::OtherFocusReason);
}

QStringList frmQ::chosenNames() const
{
    QStringList out;
    for (int i = 0; i < m_lstAK->count(); ++i) {
        if (m_lstAK->item(i)->isSelected())
            out << m_lstAK->item(i)->text();
    }
    return out;
}

void frmQ::lstAK_MouseDown(Qt::MouseButton button, const QPoint& globalPos)
{
    action(QStringLiteral("mADakO"))->setEnabled(!chosenNames().isEmpty());
    if (button == Qt::RightButton)
        m_mADAK->popup(globalPos);
}

void frmQ::mADakO_Click()
{
    const QStringList chosen = chosenNames();
    if (chosen.isEmpty() || !m_lstAK->isVisible())
        return;
    m_lstAK->hide();
    if (m_insertPick)
        m_doc->InsertPickedNodes(m_treeKey, chosen);
    else
        m_doc->AddChildNodes(m_treeKey, chosen, m_workTypePick);
}

void frmQ::mADakC_Click()
{
    m_lstAK->hide();
}

void frmQ::mDelN_Click()
{
    m_lstAK->hide();
    if (m_treeKey.isEmpty() || !m_doc->tree().contains(m_treeKey))
        return;
    m_editors->HideCellEditors();
    m_doc->mDelN_Click(m_treeKey);
}

} // namespace varn
