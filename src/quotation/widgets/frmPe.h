#pragma once

#include "quotation/PageEnd.h"

#include <QGroupBox>
#include <QStringList>

#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace varn {

class Quotation;

// The page-end panel "頁尾備註 設計 監工費" of the quotation window: five remarks, the design
// and supervision fees, the tax and the totals block. It floats over the lower part of the
// item grid and is opened and closed by the button cmdPe under the tree.
//
// The panel only binds controls: what a change means (fee amounts, RecalcGrandTotal) is the
// quotation's, and the controls show the quotation's page-end values after every change.
class frmPe : public QGroupBox {
    Q_OBJECT
public:
    explicit frmPe(Quotation& q, QWidget* parent = nullptr);

    // The lists of the remark combos (all five the same) and of the tax-rate combo
    // ("5%" ...); the texts shown are kept.
    void setRemarkPhrases(const QStringList& phrases);
    void setTaxRates(const QStringList& rates);

    // The button that opens and closes the panel; its caption follows the panel. Its
    // clicks run cmdPe_Click unless the window routes them itself (connectClicks false).
    void attachToggle(QAbstractButton* cmdPe, bool connectClicks = true);
    // Where the panel's left edge goes when it opens: the right edge of the splitter.
    void setLeftEdge(std::function<int()> leftEdge) { m_leftEdge = std::move(leftEdge); }
    // cmdPe_Click: places the panel, toggles it; opening selects the whole quotation and
    // recomputes; either way the fee bases that go by total take the shown total.
    void cmdPe_Click();
    bool isOpen() const { return m_open; }

    // Shows the quotation's values (after a load, a reset, or a refused entry).
    void refresh();

    // The controls, by their names in the window.
    QComboBox* cbPe(int i) const { return m_cbPe.at(i); }
    QCheckBox* ckD() const { return m_fees[0].ck; }
    QLineEdit* tD() const { return m_fees[0].title; }
    QRadioButton* Dop1() const { return m_fees[0].byTotal; }
    QRadioButton* Dop2() const { return m_fees[0].byArea; }
    QLineEdit* txtDp() const { return m_fees[0].base; }
    QLabel* lbd() const { return m_fees[0].unit; }
    QLineEdit* txtdx() const { return m_fees[0].rate; }
    QLabel* txtDt() const { return m_fees[0].amount; }
    QCheckBox* ckL() const { return m_fees[1].ck; }
    QLineEdit* tL() const { return m_fees[1].title; }
    QRadioButton* Lop1() const { return m_fees[1].byTotal; }
    QRadioButton* Lop2() const { return m_fees[1].byArea; }
    QLineEdit* txtLp() const { return m_fees[1].base; }
    QLabel* lbl() const { return m_fees[1].unit; }
    QLineEdit* txtlx() const { return m_fees[1].rate; }
    QLabel* txtLt() const { return m_fees[1].amount; }
    QCheckBox* ckTax() const { return m_ckTax; }
    QComboBox* cbTax() const { return m_cbTax; }
    QLabel* lbNtax() const { return m_lbNtax; }
    QLabel* lbTax() const { return m_lbTax; }
    QLabel* lbHtax() const { return m_lbHtax; }
    QLineEdit* txtOff() const { return m_txtOff; }
    QLabel* lbApr() const { return m_lbApr; }

private:
    struct FeeControls {
        QCheckBox* ck = nullptr;
        QLineEdit* title = nullptr;
        QRadioButton* byTotal = nullptr;
        QRadioButton* byArea = nullptr;
        QLineEdit* base = nullptr;
        QLabel* unit = nullptr;
        QLineEdit* rate = nullptr;
        QLabel* amount = nullptr;
    };

    QWidget* buildFee(Fee which, const QString& title, const QString& frameName,
                      const QString& prefix);
    QWidget* buildTotals();
    void bindFee(Fee which);
    void updateToggleCaption();
    static void showCheck(QCheckBox* box, int state);
    static void setText(QLineEdit* edit, const QString& text);
    static void setText(QComboBox* combo, const QString& text);

    Quotation& m_q;
    std::array<QComboBox*, 5> m_cbPe{};
    std::array<FeeControls, 2> m_fees;
    QCheckBox* m_ckTax = nullptr;
    QComboBox* m_cbTax = nullptr;
    QLabel* m_lbNtax = nullptr;
    QLabel* m_lbTax = nullptr;
    QLabel* m_lbHtax = nullptr;
    QLineEdit* m_txtOff = nullptr;
    QLabel* m_lbApr = nullptr;

    QAbstractButton* m_cmdPe = nullptr;
    std::function<int()> m_leftEdge;
    bool m_open = false;
    // A typed tax rate that matches a list entry is reported by the combo as a pick when
    // the editing ends; only a pick from the list recomputes.
    bool m_taxEditEnding = false;
};

} // namespace varn
