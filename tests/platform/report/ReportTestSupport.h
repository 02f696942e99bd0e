#pragma once

#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace varn::test {

// Painting text needs a QGuiApplication (offscreen in the tests).
inline void ensureGuiApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "report_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// Text of a PDF (one page or all) as poppler reads it, with no layout guessing.
inline QString pdfText(const QString& pdf, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& l : lines) {
        if (l.startsWith(QLatin1String("Pages:")))
            return l.mid(6).trimmed().toInt();
    }
    return -1;
}

// pdftotext may break a line of text or put spaces between characters; compare without
// any white space.
inline QString squeeze(QString s)
{
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char('\t'));
    s.remove(QLatin1Char('\f'));
    return s;
}

} // namespace varn::test
