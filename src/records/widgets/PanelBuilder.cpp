#include "records/widgets/PanelBuilder.h"

#include "shared/widgets/RocDateEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace varn {

namespace {

// The width a line box needs to show `chars` digits whole in its own font and style.
int lineWidthFor(QLineEdit* e, int chars)
{
    constexpr int kInnerMargin = 2;   // QLineEdit's own space left and right of the text
    QStyleOptionFrame option;
    option.initFrom(e);
    option.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, e);
    const QMargins margins = e->textMargins();
    const QFontMetrics fm = e->fontMetrics();
    const QSize text(fm.horizontalAdvance(QString(chars, u'0')) + 2 * kInnerMargin + margins.left()
                         + margins.right(),
                     fm.height());
    return e->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, e).width();
}

} // namespace

PanelBuilder::PanelBuilder(QWidget* panel, FieldBinder& binder)
    : m_panel(panel), m_binder(binder), m_grid(new QGridLayout(panel))
{
    m_grid->setContentsMargins(4, 4, 4, 4);
    m_grid->setHorizontalSpacing(4);
    m_grid->setVerticalSpacing(3);
}

QLineEdit* PanelBuilder::line(const char* name, int minChars)
{
    auto* e = new QLineEdit(m_panel);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(lineWidthFor(e, minChars));
    m_binder.bindLine(e);
    return e;
}

QLineEdit* PanelBuilder::shown(const char* name, int minChars)
{
    QLineEdit* e = line(name, minChars);
    e->setFocusPolicy(Qt::NoFocus);
    e->setEnabled(false);
    return e;
}

QComboBox* PanelBuilder::combo(const char* name)
{
    auto* c = new QComboBox(m_panel);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumContentsLength(6);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_binder.bindCombo(c);
    return c;
}

QDateEdit* PanelBuilder::date(const char* name)
{
    auto* d = new RocDateEdit(m_panel);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    d->setDate(QDate::currentDate());
    d->setFocusPolicy(Qt::ClickFocus);   // not a stop of the field order
    m_binder.bindDate(d);
    return d;
}

QCheckBox* PanelBuilder::check(const char* name, const QString& caption)
{
    auto* c = new QCheckBox(caption, m_panel);
    c->setObjectName(QString::fromLatin1(name));
    m_binder.bindCheck(c);
    return c;
}

QListWidget* PanelBuilder::list(const char* name)
{
    auto* l = new QListWidget(m_panel);
    l->setObjectName(QString::fromLatin1(name));
    m_binder.bindList(l);
    return l;
}

void PanelBuilder::field(int row, int group, const QString& caption, std::initializer_list<QWidget*> boxes)
{
    auto* label = new QLabel(caption, m_panel);
    label->setObjectName(QStringLiteral("lblFieldLabel"));
    m_grid->addWidget(label, row, group * 2, Qt::AlignRight);
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    for (QWidget* w : boxes) {
        line->addWidget(w, qobject_cast<QComboBox*>(w) || qobject_cast<QDateEdit*>(w) ? 0 : 1);
        m_binder.setCaption(w, caption);
    }
    m_grid->addLayout(line, row, group * 2 + 1);
}

QPlainTextEdit* MakeMemo(QWidget* parent, FieldBinder& binder, const char* name,
                         FieldBinder::MemoEnter enter, int lines)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setMaximumHeight(m->fontMetrics().height() * lines);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    binder.bindMemo(m, enter);
    return m;
}

QWidget* MemoLabel(const QString& caption, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, box);
    label->setObjectName(QStringLiteral("lblFieldLabel"));
    column->addWidget(label);
    column->addWidget(new QLabel(QStringLiteral("(換行請按 Ctrl+Enter)"), box));
    column->addStretch(1);
    return box;
}

} // namespace varn
