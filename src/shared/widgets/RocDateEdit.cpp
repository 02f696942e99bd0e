#include "shared/widgets/RocDateEdit.h"

#include "shared/RocDate.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace varn {

namespace {

// The part (0 year, 1 month, 2 day) a cursor position stands in.
int partAt(const QString& text, int pos)
{
    return int(std::min<qsizetype>(text.left(pos).count(u'/'), 2));
}

// Start and length of a part in the text.
std::pair<int, int> partSpan(const QString& text, int part)
{
    int start = 0;
    for (int i = 0; i < part; ++i)
        start = int(text.indexOf(u'/', start)) + 1;
    const int end = int(text.indexOf(u'/', start));
    return {start, (end < 0 ? int(text.size()) : end) - start};
}

} // namespace

RocDateEdit::RocDateEdit(QWidget* parent) : QDateEdit(parent)
{
    setUp();
}

RocDateEdit::RocDateEdit(QDate date, QWidget* parent) : QDateEdit(date, parent)
{
    setUp();
}

void RocDateEdit::setUp()
{
    // The calendar starts in 1912; later dates than four-digit years do not come up.
    setDateRange(QDate(1912, 1, 1), QDate(9999, 12, 31));
    setCalendarPopup(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    // Repaint with the new text form (the stock one was set up before this class was).
    lineEdit()->setText(textFromDateTime(dateTime()));
}

QString RocDateEdit::textFromDateTime(const QDateTime& dateTime) const
{
    return FormatRocDate(dateTime.date());
}

QDateTime RocDateEdit::dateTimeFromText(const QString& text) const
{
    const QDate d = ParseRocDate(text);
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : dateTime();
}

QValidator::State RocDateEdit::validate(QString& input, int& /*pos*/) const
{
    const QDate d = ParseRocDate(input);
    if (d.isValid() && d >= minimumDate() && d <= maximumDate())
        return QValidator::Acceptable;
    static const QRegularExpression partial(QStringLiteral("^\\s*\\d{0,4}\\s*(/\\s*\\d{0,2}\\s*(/\\s*\\d{0,2}\\s*)?)?$"));
    return partial.match(input).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

void RocDateEdit::fixup(QString& input) const
{
    // An unfinished date goes back to the date held.
    if (!ParseRocDate(input).isValid())
        input = textFromDateTime(dateTime());
}

QAbstractSpinBox::StepEnabled RocDateEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled on = StepNone;
    if (date() < maximumDate())
        on |= StepUpEnabled;
    if (date() > minimumDate())
        on |= StepDownEnabled;
    return on;
}

void RocDateEdit::stepBy(int steps)
{
    const QString before = lineEdit()->text();
    const int part = partAt(before, lineEdit()->cursorPosition());
    const QDate d = date();
    const QDate stepped = part == 0 ? d.addYears(steps) : part == 1 ? d.addMonths(steps) : d.addDays(steps);
    setDate(std::clamp(stepped, minimumDate(), maximumDate()));
    const QString after = lineEdit()->text();
    const auto [start, length] = partSpan(after, part);
    lineEdit()->setSelection(start, length);
}

void RocDateEdit::keyPressEvent(QKeyEvent* event)
{
    QAbstractSpinBox::keyPressEvent(event);
}

void RocDateEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusInEvent(event);
}

bool RocDateEdit::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

} // namespace varn
