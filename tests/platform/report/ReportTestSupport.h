#pragma once

#include "support/OfficeConvert.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace varn::test {

// Painting text needs a QGuiApplication (offscreen in the tests).
inline void ensureGuiApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "report_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// Standard output of a program run to its end.
inline QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One page of a PDF as poppler reads it, without white space (pdftotext breaks lines and
// spaces characters as it sees fit), every character as the PDF's text gives it: what a
// search in the PDF finds and what copying its text yields.
inline QString pdfTextAsIs(const QString& pdf, int page)
{
    QString text = runTool(QStringLiteral("pdftotext"),
                           {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                            QString::number(page), pdf, QStringLiteral("-")});
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// The same in compatibility form, where full-width and half-width forms ("（" and "(")
// are one character, for texts that do not care which of the two a page shows.
inline QString pdfText(const QString& pdf, int page)
{
    return pdfTextAsIs(pdf, page).normalized(QString::NormalizationForm_KC);
}

} // namespace varn::test
