#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace varn {

// One node of the area / work-type tree. Its key is its full path: the parent's key,
// "‧" and its own name; the root's key and name are "Ｑ".
struct TreeNode {
    QString name;
    QString key;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;
    bool expanded = false;

    bool isLeaf() const { return children.empty(); }
    bool isRoot() const { return parent == nullptr; }
    // Levels below the root (the number of "‧" in the key).
    int depth() const;
    const TreeNode* firstChild() const { return children.empty() ? nullptr : children.front().get(); }
};

// The tree of a quotation, without any view: the window's tree widget mirrors it.
// Names are checked before they enter the tree, so keys stay unique and every path
// re-reads from the quotation file to the same node.
class QuotationTree {
public:
    static const QString RootKey;   // "Ｑ"
    static const QChar Separator;   // "‧" (U+2027)

    QuotationTree();
    QuotationTree(const QuotationTree&) = delete;
    QuotationTree& operator=(const QuotationTree&) = delete;

    TreeNode* root() { return m_root.get(); }
    const TreeNode* root() const { return m_root.get(); }
    TreeNode* find(const QString& key);
    const TreeNode* find(const QString& key) const;
    bool contains(const QString& key) const { return m_byKey.contains(key); }
    int nodeCount() const { return static_cast<int>(m_byKey.size()); }

    // Why a name the user chose cannot be given to a new child of parent: empty text when
    // it can. Refused: a name of blanks alone, a name that would break the tree (see
    // structuralRefusal) and a character code page 950 cannot hold.
    QString refusalFor(const TreeNode* parent, const QString& name) const;
    // Why the tree cannot hold the name at all: an empty name, the path separator "‧",
    // the file's field separator "|", a line break, a name a sibling already has. A name
    // of blanks alone read from a file is kept.
    QString structuralRefusal(const TreeNode* parent, const QString& name) const;

    // Appends a child; nullptr when structuralRefusal refuses the name.
    TreeNode* addChild(TreeNode* parent, const QString& name);
    // Inserts a new node as the previous sibling of `sibling` (not the root).
    TreeNode* insertBefore(TreeNode* sibling, const QString& name);
    // Removes a node with its subtree; the root is never removed.
    bool remove(TreeNode* node);
    // Back to the root alone.
    void clear();

    // Leaves at or under the node, depth first, children in their order.
    std::vector<const TreeNode*> leaves(const TreeNode* under) const;
    std::vector<const TreeNode*> leaves() const { return leaves(root()); }
    // Every node in depth-first order, the root first.
    std::vector<const TreeNode*> nodes() const;

    // The node's own name: the text after the last "‧" of a path (`lndname`).
    static QString lndname(const QString& path);
    // Characters a node name may not hold.
    static QString forbiddenCharacterIn(const QString& name);
    // True when key is the path of `ancestor` or of a node beneath it.
    static bool isAtOrUnder(const QString& key, const QString& ancestor);

private:
    void unregister(TreeNode* node);

    std::unique_ptr<TreeNode> m_root;
    QHash<QString, TreeNode*> m_byKey;
};

} // namespace varn
