#pragma once

#include <QDateEdit>

namespace varn {

// The date picker of every window: shows and takes dates in the Republic of China form
// "ee/mm/dd" (115/12/06), with the calendar popup. Typed dates may leave out the leading
// zeros ("92/2/19"). Up and Down step the part under the cursor (year, month or day); Tab
// leaves the picker.
class RocDateEdit : public QDateEdit {
    Q_OBJECT
public:
    explicit RocDateEdit(QWidget* parent = nullptr);
    explicit RocDateEdit(QDate date, QWidget* parent = nullptr);

    void stepBy(int steps) override;

protected:
    QString textFromDateTime(const QDateTime& dateTime) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    StepEnabled stepEnabled() const override;
    // The stock picker works out its parts from its own display format; this one keeps its
    // text to itself, so keys, focus and Tab take the plain spin box's ways.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void setUp();
};

} // namespace varn
