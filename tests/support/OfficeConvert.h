#pragma once

// Opens workbooks in LibreOffice, headless, by converting them to PDF in one run with a
// profile folder of its own, so that runs at the same time do not share one. A missing
// soffice is a failure of the calling test, never a skip.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <vector>

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

struct PdfWord {
    QRectF box;   // in points from the page's top left
    QString text;
};

// The words of one page as poppler places them; `width` gets the page's width.
inline std::vector<PdfWord> pdfWords(const QString& pdf, int page, double* width = nullptr)
{
    QProcess tool;
    const QString p = QString::number(page);
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-bbox"), QStringLiteral("-f"), p, QStringLiteral("-l"), p, pdf, QStringLiteral("-")});
    tool.waitForFinished(60000);
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    if (width)
        *width = QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\"")).match(html).captured(1).toDouble();
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         m.captured(5)});
    }
    return words;
}

} // namespace varn::test
