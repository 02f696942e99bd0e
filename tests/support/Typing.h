#pragma once

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <QWidget>

namespace varn::test {

// Types text into a widget, key by key. QTest knows only the keys of ASCII characters;
// others come as typed text.
inline void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

// Pastes text the way a user does: select all, then the paste keys, sent where the keys go
// (an editable combo box hands them on to its line).
inline void pasteWithKeys(QWidget* widget, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

} // namespace varn::test
