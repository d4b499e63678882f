#include "printing/print_file.h"

#include "engine/cp1252.h"
#include "printing/print_error.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace kvilbo::printing {

namespace {

QString decodeUtf16(const QByteArray& bytes, bool littleEndian)
{
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return decoder.decode(bytes);
}

QByteArray encode(const QString& text, PrintFileEncoding encoding)
{
    switch (encoding) {
    case PrintFileEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case PrintFileEncoding::Utf16LeBom: {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        return encoder.encode(text);
    }
    case PrintFileEncoding::Utf16BeBom: {
        QStringEncoder encoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
        return encoder.encode(text);
    }
    case PrintFileEncoding::Cp1252:
        break;
    }
    const std::string bytes = engine::toCp1252(text.toStdString());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

PrintText readPrintText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PrintError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    PrintText result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        result.encoding = PrintFileEncoding::Utf8Bom;
        result.text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        result.encoding = PrintFileEncoding::Utf16LeBom;
        result.text = decodeUtf16(bytes.mid(2), true);
    } else if (bytes.startsWith("\xFE\xFF")) {
        result.encoding = PrintFileEncoding::Utf16BeBom;
        result.text = decodeUtf16(bytes.mid(2), false);
    } else {
        result.text = QString::fromStdString(
            engine::fromCp1252(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
    }
    result.text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return result;
}

void writePrintText(const QString& path, const QString& text, PrintFileEncoding encoding)
{
    QString crlf = text;
    crlf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray bytes = encode(crlf, encoding);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush())
        throw PrintError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
}

} // namespace kvilbo::printing
