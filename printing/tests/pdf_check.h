#pragma once

#include <QString>

namespace kvilbo::printing {
class PreviewDocument;
}

namespace kvilbo::printing::test {

/// Writes every page of doc to a PDF file; false when it fails.
bool writePdf(PreviewDocument& doc, const QString& path);
/// The page count pdfinfo reports, -1 when it cannot read the file.
int pdfPages(const QString& path);
/// The text pdftotext finds on page (1-based).
QString pdfText(const QString& path, int page);

} // namespace kvilbo::printing::test
