#pragma once

// Opens workbooks in LibreOffice, headless, by converting them to PDF in one run with a
// profile folder of its own, so that runs at the same time do not share one. A missing
// soffice is a failure of the calling test, never a skip.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

namespace varn::test {

// Empty when every input became a PDF in outDir; otherwise what went wrong.
inline QString ConvertWithOffice(const QStringList& inputs, const QString& outDir)
{
    QTemporaryDir profile;
    if (!profile.isValid())
        return QStringLiteral("no folder for the LibreOffice profile");
    QProcess soffice;
    soffice.start(QStringLiteral("soffice"),
                  QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                              QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                              QStringLiteral("--outdir"), outDir}
                      + inputs);
    if (!soffice.waitForStarted(20000))
        return QStringLiteral("soffice cannot be started: ") + soffice.errorString();
    if (!soffice.waitForFinished(300000) || soffice.exitCode() != 0)
        return QStringLiteral("soffice failed: ") + QString::fromUtf8(soffice.readAllStandardError());
    QString missing;
    for (const QString& in : inputs) {
        const QString pdf = QDir(outDir).filePath(QFileInfo(in).completeBaseName() + QStringLiteral(".pdf"));
        if (QFileInfo(pdf).size() == 0)
            missing += QStringLiteral("no PDF of %1\n").arg(in);
    }
    return missing;
}

// The number of pages of a PDF as poppler counts them; -1 when it cannot be read.
inline int pdfPages(const QString& pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(60000);
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromUtf8(info.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace varn::test
