#include "quotation/widgets/frmAddw.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {
const QString kCountCaption = QStringLiteral("總共加入");
}

frmAddw::frmAddw(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddw"));
    setWindowTitle(QStringLiteral("品名加入"));
    setModal(false);

    m_lb2 = new QLabel(kCountCaption, this);
    m_lb2->setObjectName(QStringLiteral("lb2"));
    m_lb2->setStyleSheet(QStringLiteral("color: #000080;"));

    m_lstW = new QListWidget(this);
    m_lstW->setObjectName(QStringLiteral("lstW"));
    m_lstW->setSelectionMode(QAbstractItemView::SingleSelection);

    m_label1 = new QLabel(QStringLiteral("以上品名已經存在資料庫中"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setStyleSheet(QStringLiteral("color: #c00000;"));

    m_command1 = new QPushButton(QStringLiteral("確定"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    connect(m_command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lb2);
    layout->addWidget(m_lstW, 1);
    layout->addWidget(m_label1);
    layout->addWidget(m_command1, 0, Qt::AlignHCenter);
    resize(320, 360);

    Form_Load();
}

void frmAddw::Form_Load()
{
    m_lstW->clear();
    m_lb2->setText(kCountCaption);
}

void frmAddw::showRun(const QStringList& skipped, int added)
{
    // Each run starts afresh: names and counts of an earlier run would read as this one's.
    Form_Load();
    m_lstW->addItems(skipped);
    m_lb2->setText(kCountCaption + QString::number(added) + QStringLiteral("筆"));
    show();
    raise();
}

QStringList frmAddw::listedNames() const
{
    QStringList out;
    for (int i = 0; i < m_lstW->count(); ++i)
        out << m_lstW->item(i)->text();
    return out;
}

QString frmAddw::countText() const
{
    return m_lb2->text();
}

} // namespace varn
