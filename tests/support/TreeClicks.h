#pragma once

#include <QTest>
#include <QTreeWidget>

namespace varn::test {

// A real left click on a tree node, its parents expanded first so that it can be seen.
inline void clickTreeItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

} // namespace varn::test
