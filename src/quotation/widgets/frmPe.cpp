#include "quotation/widgets/frmPe.h"

#include "platform/ui/Twips.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/NumberEntry.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace varn {

namespace {

const QString kClosedCaption = QStringLiteral("頁尾備註 >>");
const QString kOpenCaption = QStringLiteral("頁尾備註 <<");

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(90);
    label->setFrameShape(QFrame::StyledPanel);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent, int width = 0)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

} // namespace

frmPe::frmPe(Quotation& q, QWidget* parent)
    : QGroupBox(QStringLiteral("頁尾備註 設計 監工費"), parent)
    , m_q(q)
{
    setObjectName(QStringLiteral("frmPe"));
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 5; ++i) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("cbPe%1").arg(i));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(30);
        m_cbPe[i] = combo;
        layout->addWidget(combo);

        // The remark is the text the box shows, also when the box completed a phrase from
        // its list that the keys only began.
        connect(combo, &QComboBox::editTextChanged, this, [this, i](const QString& text) {
            if (!m_q.setRemark(i, text))
                refresh();
        });
        connect(combo, &QComboBox::activated, this, [this, i](int index) {
            if (!m_q.setRemark(i, m_cbPe[i]->itemText(index)))
                refresh();
        });
    }

    auto* lower = new QHBoxLayout;
    auto* fees = new QVBoxLayout;
    fees->addWidget(buildFee(Fee::Design, QStringLiteral("設計費"), QStringLiteral("Frame1"),
                             QStringLiteral("D")));
    fees->addWidget(buildFee(Fee::Supervision, QStringLiteral("監工費"), QStringLiteral("Frame2"),
                             QStringLiteral("L")));
    fees->addStretch(1);
    lower->addLayout(fees, 1);
    lower->addWidget(buildTotals());
    layout->addLayout(lower);

    bindFee(Fee::Design);
    bindFee(Fee::Supervision);

    connect(&m_q, &Quotation::pageEndChanged, this, &frmPe::refresh);
    hide();
    refresh();
}

QWidget* frmPe::buildFee(Fee which, const QString& title, const QString& frameName,
                         const QString& prefix)
{
    FeeControls& f = m_fees[which == Fee::Design ? 0 : 1];
    auto* block = new QWidget(this);
    auto* grid = new QVBoxLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* first = new QHBoxLayout;
    f.ck = new QCheckBox(block);
    f.ck->setObjectName(QStringLiteral("ck") + prefix);
    f.title = lineEdit(QStringLiteral("t") + prefix, block, 90);
    f.title->setText(title);
    auto* frame = new QFrame(block);
    frame->setObjectName(frameName);
    auto* options = new QHBoxLayout(frame);
    options->setContentsMargins(0, 0, 0, 0);
    f.byTotal = new QRadioButton(QStringLiteral("依總價"), frame);
    f.byTotal->setObjectName(prefix + QStringLiteral("op1"));
    f.byArea = new QRadioButton(QStringLiteral("依坪數"), frame);
    f.byArea->setObjectName(prefix + QStringLiteral("op2"));
    f.byTotal->setChecked(true);
    options->addWidget(f.byTotal);
    options->addWidget(f.byArea);
    first->addWidget(f.ck);
    first->addWidget(f.title);
    first->addWidget(frame);
    first->addStretch(1);

    auto* second = new QHBoxLayout;
    const bool design = which == Fee::Design;
    f.base = lineEdit(design ? QStringLiteral("txtDp") : QStringLiteral("txtLp"), block, 100);
    f.unit = new QLabel(QStringLiteral("元"), block);
    f.unit->setObjectName(design ? QStringLiteral("lbd") : QStringLiteral("lbl"));
    f.rate = lineEdit(design ? QStringLiteral("txtdx") : QStringLiteral("txtlx"), block, 70);
    f.amount = valueLabel(design ? QStringLiteral("txtDt") : QStringLiteral("txtLt"), block);
    second->addWidget(f.base);
    second->addWidget(f.unit);
    second->addWidget(new QLabel(QStringLiteral("X"), block));
    second->addWidget(f.rate);
    second->addWidget(new QLabel(QStringLiteral("="), block));
    second->addWidget(f.amount);
    second->addStretch(1);

    grid->addLayout(first);
    grid->addLayout(second);
    return block;
}

QWidget* frmPe::buildTotals()
{
    auto* block = new QWidget(this);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);

    m_lbNtax = valueLabel(QStringLiteral("lbNtax"), block);
    grid->addWidget(new QLabel(QStringLiteral("總    價:"), block), 0, 0);
    grid->addWidget(m_lbNtax, 0, 1);

    auto* taxRow = new QHBoxLayout;
    m_ckTax = new QCheckBox(QStringLiteral("稅金"), block);
    m_ckTax->setObjectName(QStringLiteral("ckTax"));
    m_cbTax = new QComboBox(block);
    m_cbTax->setObjectName(QStringLiteral("cbTax"));
    // Our own line edit, connected before the combo connects to it, so that the end of
    // typing is known before the combo reports a typed entry as a pick.
    auto* taxEdit = new QLineEdit(m_cbTax);
    const auto typingEnds = [this] {
        m_taxEditEnding = true;
        QTimer::singleShot(0, this, [this] { m_taxEditEnding = false; });
    };
    // Enter ends the typing before the combo hears of it; the rate itself is entered once, by
    // the editingFinished that follows it.
    connect(taxEdit, &QLineEdit::returnPressed, this, typingEnds);
    connect(taxEdit, &QLineEdit::editingFinished, this, [this, typingEnds] {
        typingEnds();
        // Enter and leaving the box alike read a bare number as a percentage, so the box
        // shows the rate the totals use.
        if (m_q.enterTaxRate())
            refresh();
    });
    connect(taxEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_q.typeTaxRate(text))
            refresh();
    });
    m_cbTax->setEditable(true);
    m_cbTax->setLineEdit(taxEdit);
    // No completion from the list: "5" would show as "5%" while the rate read is the typed 5.
    m_cbTax->setCompleter(nullptr);
    FilterNumberEntry(taxEdit, NumberForm::Rate);
    m_cbTax->setInsertPolicy(QComboBox::NoInsert);
    m_cbTax->setFixedWidth(70);
    connect(m_cbTax, &QComboBox::activated, this, [this](int index) {
        if (m_taxEditEnding)
            return;
        m_q.pickTaxRate(m_cbTax->itemText(index));
        refresh();
    });
    connect(m_ckTax, &QCheckBox::clicked, this, [this] {
        const Qt::CheckState s = m_ckTax->checkState();
        m_ckTax->setTristate(false);
        m_q.setTaxChecked(s == Qt::Checked ? CheckState::Checked
                          : s == Qt::PartiallyChecked ? CheckState::Greyed
                                                      : CheckState::Unchecked);
        refresh();
    });
    taxRow->addWidget(m_ckTax);
    taxRow->addWidget(m_cbTax);
    m_lbTax = valueLabel(QStringLiteral("lbTax"), block);
    grid->addLayout(taxRow, 1, 0);
    grid->addWidget(m_lbTax, 1, 1);

    m_lbHtax = valueLabel(QStringLiteral("lbHtax"), block);
    grid->addWidget(new QLabel(QStringLiteral("含稅總價:"), block), 2, 0);
    grid->addWidget(m_lbHtax, 2, 1);

    m_txtOff = lineEdit(QStringLiteral("txtOff"), block);
    m_txtOff->setAlignment(Qt::AlignRight);
    FilterNumberEntry(m_txtOff, NumberForm::Signed);
    connect(m_txtOff, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_q.setDiscount(text))
            refresh();
    });
    grid->addWidget(new QLabel(QStringLiteral("折扣:"), block), 3, 0);
    grid->addWidget(m_txtOff, 3, 1);

    m_lbApr = valueLabel(QStringLiteral("lbApr"), block);
    grid->addWidget(new QLabel(QStringLiteral("報價總價:"), block), 4, 0);
    grid->addWidget(m_lbApr, 4, 1);
    grid->setRowStretch(5, 1);
    return block;
}

void frmPe::bindFee(Fee which)
{
    FeeControls& f = m_fees[which == Fee::Design ? 0 : 1];
    connect(f.ck, &QCheckBox::clicked, this, [this, which, box = f.ck] {
        const Qt::CheckState s = box->checkState();
        box->setTristate(false);
        m_q.setFeeChecked(which, s == Qt::Checked ? CheckState::Checked
                                 : s == Qt::PartiallyChecked ? CheckState::Greyed
                                                             : CheckState::Unchecked);
        refresh();
    });
    connect(f.title, &QLineEdit::textEdited, this, [this, which](const QString& text) {
        if (!m_q.setFeeTitle(which, text))
            refresh();
    });
    connect(f.byTotal, &QRadioButton::clicked, this, [this, which] {
        m_q.setFeeByTotal(which, true);
        refresh();
    });
    connect(f.byArea, &QRadioButton::clicked, this, [this, which] {
        m_q.setFeeByTotal(which, false);
        refresh();
    });
    FilterNumberEntry(f.base, NumberForm::Signed);
    FilterNumberEntry(f.rate, NumberForm::Signed);
    connect(f.base, &QLineEdit::textEdited, this, [this, which](const QString& text) {
        if (!m_q.setFeeBase(which, text))
            refresh();
    });
    connect(f.rate, &QLineEdit::textEdited, this, [this, which](const QString& text) {
        if (!m_q.setFeeRate(which, text))
            refresh();
    });
}

void frmPe::setRemarkPhrases(const QStringList& phrases)
{
    for (QComboBox* combo : m_cbPe) {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(phrases);
    }
    refresh();
}

void frmPe::setTaxRates(const QStringList& rates)
{
    {
        const QSignalBlocker block(m_cbTax);
        m_cbTax->clear();
        m_cbTax->addItems(rates);
    }
    refresh();
}

void frmPe::showCheck(QCheckBox* box, int state)
{
    if (state == CheckState::Greyed) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setTristate(false);
        box->setCheckState(state == CheckState::Checked ? Qt::Checked : Qt::Unchecked);
    }
}

void frmPe::setText(QLineEdit* edit, const QString& text)
{
    // Only a different text is written, so the cursor of a box being typed in stays put.
    if (edit->text() != text)
        edit->setText(text);
}

void frmPe::setText(QComboBox* combo, const QString& text)
{
    if (combo->currentText() != text) {
        const QSignalBlocker block(combo);
        combo->setEditText(text);
    }
}

void frmPe::refresh()
{
    const PageEndValues& v = m_q.pageEnd();
    for (int i = 0; i < 5; ++i)
        setText(m_cbPe[i], v.remarks[i]);
    for (int k = 0; k < 2; ++k) {
        const FeeValues& fee = k == 0 ? v.design : v.supervision;
        FeeControls& f = m_fees[k];
        showCheck(f.ck, fee.checked);
        setText(f.title, fee.title);
        f.byTotal->setChecked(fee.byTotal);
        f.byArea->setChecked(!fee.byTotal);
        setText(f.base, fee.base);
        f.unit->setText(fee.unit());
        setText(f.rate, fee.rate);
        f.amount->setText(fee.amount);
    }
    showCheck(m_ckTax, v.taxChecked);
    setText(m_cbTax, v.taxRate);
    m_lbNtax->setText(v.untaxed);
    m_lbTax->setText(v.tax);
    m_lbHtax->setText(v.withTax);
    setText(m_txtOff, v.discount);
    m_lbApr->setText(v.quoted);
}

void frmPe::attachToggle(QAbstractButton* cmdPe, bool connectClicks)
{
    m_cmdPe = cmdPe;
    updateToggleCaption();
    if (connectClicks)
        connect(cmdPe, &QAbstractButton::clicked, this, &frmPe::cmdPe_Click);
}

void frmPe::updateToggleCaption()
{
    if (m_cmdPe)
        m_cmdPe->setText(m_open ? kOpenCaption : kClosedCaption);
}

void frmPe::cmdPe_Click()
{
    if (QWidget* host = parentWidget()) {
        adjustSize();
        // Across the grid to the window's right edge, never narrower than its contents: a
        // wide tree is covered rather than the panel cut.
        const int width = std::min(sizeHint().width(), host->width() - 8);
        const int left = std::max(0, std::min(m_leftEdge ? m_leftEdge() : x(), host->width() - width - 8));
        resize(std::max(width, host->width() - left - 8), sizeHint().height());
        const int top = host->height() - height() - TwipsToPixels(600, logicalDpiY());
        move(left, std::max(0, top));
    }
    m_open = !m_open;
    setVisible(m_open);
    if (m_open)
        raise();
    updateToggleCaption();
    m_q.pageEndPanelToggled(m_open);
    refresh();
}

} // namespace varn
