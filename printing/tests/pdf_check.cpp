#include "pdf_check.h"

#include "printing/preview_document.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

namespace kvilbo::printing::test {

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

bool writePdf(PreviewDocument& doc, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    return doc.printPages(writer, 1, doc.pageCount());
}

int pdfPages(const QString& path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfText(const QString& path, int page)
{
    const QString n = QString::number(page);
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                             QStringLiteral("-layout"), path, QStringLiteral("-")});
}

} // namespace kvilbo::printing::test
