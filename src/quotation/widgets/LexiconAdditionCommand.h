#pragma once

#include "quotation/widgets/frmAddw.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace varn {

class Quotation;

// 品名加入施工資料庫 of the item grid's popup: adds the shown work type's item names to the
// lexicon (the shared main database connection) and shows the outcome in frmAddw, which
// stays open beside the quotation window.
class LexiconAdditionCommand : public QObject {
    Q_OBJECT
public:
    LexiconAdditionCommand(Quotation& q, QWidget* window);

    // mAdd2W_Click. False when nothing was added to the lexicon (refused, or failed).
    bool mAdd2W_Click();

    // The dialog of the last run (null before the first).
    frmAddw* dialog() const { return m_dialog; }

private:
    Quotation& m_q;
    QWidget* m_window;
    QPointer<frmAddw> m_dialog;
};

} // namespace varn
