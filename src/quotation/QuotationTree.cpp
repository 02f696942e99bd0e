#include "quotation/QuotationTree.h"

#include "quotation/VrnFile.h"

#include <algorithm>
#include <functional>

namespace varn {

const QString QuotationTree::RootKey = QStringLiteral("\uFF31");
const QChar QuotationTree::Separator = QChar(0x2027);

int TreeNode::depth() const
{
    int d = 0;
    for (const TreeNode* p = parent; p; p = p->parent)
        ++d;
    return d;
}

QuotationTree::QuotationTree()
{
    clear();
}

TreeNode* QuotationTree::find(const QString& key)
{
    return m_byKey.value(key, nullptr);
}

const TreeNode* QuotationTree::find(const QString& key) const
{
    return m_byKey.value(key, nullptr);
}

QString QuotationTree::forbiddenCharacterIn(const QString& name)
{
    for (QChar c : name) {
        if (c == Separator || c == u'|')
            return QString(c);
        if (c == u'\r' || c == u'\n')
            return QStringLiteral("換行");
    }
    return {};
}

QString QuotationTree::refusalFor(const TreeNode* parent, const QString& name) const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("名稱不可空白");
    if (const QString why = structuralRefusal(parent, name); !why.isEmpty())
        return why;
    // A name the file cannot hold would stop every later save, and a node is never renamed.
    return Vrn::fieldRefusal(QStringLiteral("名稱"), name, {});
}

QString QuotationTree::structuralRefusal(const TreeNode* parent, const QString& name) const
{
    if (name.isEmpty())
        return QStringLiteral("名稱不可空白");
    const QString bad = forbiddenCharacterIn(name);
    if (!bad.isEmpty())
        return QStringLiteral("名稱「%1」不可含有「%2」").arg(name, bad);
    if (parent && m_byKey.contains(parent->key + Separator + name))
        return QStringLiteral("同一層已有「%1」,名稱不可重複").arg(name);
    return {};
}

TreeNode* QuotationTree::addChild(TreeNode* parent, const QString& name)
{
    if (!parent || !structuralRefusal(parent, name).isEmpty())
        return nullptr;
    auto node = std::make_unique<TreeNode>();
    node->name = name;
    node->key = parent->key + Separator + name;
    node->parent = parent;
    TreeNode* raw = node.get();
    parent->children.push_back(std::move(node));
    m_byKey.insert(raw->key, raw);
    return raw;
}

TreeNode* QuotationTree::insertBefore(TreeNode* sibling, const QString& name)
{
    if (!sibling || sibling->isRoot() || !structuralRefusal(sibling->parent, name).isEmpty())
        return nullptr;
    TreeNode* parent = sibling->parent;
    auto node = std::make_unique<TreeNode>();
    node->name = name;
    node->key = parent->key + Separator + name;
    node->parent = parent;
    TreeNode* raw = node.get();
    auto at = std::find_if(parent->children.begin(), parent->children.end(),
                           [sibling](const auto& c) { return c.get() == sibling; });
    parent->children.insert(at, std::move(node));
    m_byKey.insert(raw->key, raw);
    return raw;
}

void QuotationTree::unregister(TreeNode* node)
{
    m_byKey.remove(node->key);
    for (auto& c : node->children)
        unregister(c.get());
}

bool QuotationTree::remove(TreeNode* node)
{
    if (!node || node->isRoot() || find(node->key) != node)
        return false;
    unregister(node);
    auto& siblings = node->parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                                [node](const auto& c) { return c.get() == node; }));
    return true;
}

void QuotationTree::clear()
{
    m_byKey.clear();
    m_root = std::make_unique<TreeNode>();
    m_root->name = RootKey;
    m_root->key = RootKey;
    m_byKey.insert(RootKey, m_root.get());
}

std::vector<const TreeNode*> QuotationTree::leaves(const TreeNode* under) const
{
    std::vector<const TreeNode*> out;
    std::function<void(const TreeNode*)> walk = [&](const TreeNode* n) {
        if (n->isLeaf()) {
            out.push_back(n);
            return;
        }
        for (const auto& c : n->children)
            walk(c.get());
    };
    if (under)
        walk(under);
    return out;
}

std::vector<const TreeNode*> QuotationTree::nodes() const
{
    std::vector<const TreeNode*> out;
    std::function<void(const TreeNode*)> walk = [&](const TreeNode* n) {
        out.push_back(n);
        for (const auto& c : n->children)
            walk(c.get());
    };
    walk(root());
    return out;
}

QString QuotationTree::lndname(const QString& path)
{
    const int at = path.lastIndexOf(Separator);
    return at < 0 ? path : path.mid(at + 1);
}

bool QuotationTree::isAtOrUnder(const QString& key, const QString& ancestor)
{
    return key == ancestor
        || (key.size() > ancestor.size() && key.startsWith(ancestor)
            && key.at(ancestor.size()) == Separator);
}

} // namespace varn
