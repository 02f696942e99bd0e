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
// spaces characters as it sees fit). Qt's PDF text layer maps a glyph shared by an
// ideograph and a Kangxi radical (木 and ⽊) to the radical, so the text is compared in
// compatibility form, where the two are one character.
inline QString pdfText(const QString& pdf, int page)
{
    QString text = runTool(QStringLiteral("pdftotext"),
                           {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                            QString::number(page), pdf, QStringLiteral("-")});
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text.normalized(QString::NormalizationForm_KC);
}

} // namespace varn::test
