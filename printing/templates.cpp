#include "printing/templates.h"

#include "core/maker.h"
#include "engine/dbf_table.h"
#include "printing/field_text.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace kvilbo::printing {

namespace {

// Digits beyond three make no field tag, so "[%FIELD0001]" stays as written.
const QRegularExpression& fieldTagPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\[%FIELD\\d{1,3}\\]"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

QDateTime now(const TemplateSources& sources)
{
    return sources.clock ? sources.clock() : QDateTime::currentDateTime();
}

bool hasCards(const TemplateSources& sources)
{
    return sources.table && sources.table->isOpen() && sources.table->Records();
}

// Case-insensitive and literal: a value holding "\1" or "$" is inserted as it stands.
void replaceTag(QString& text, const char* tag, const QString& value)
{
    text.replace(QLatin1String(tag), value, Qt::CaseInsensitive);
}

// One pass over the original text: a value inserted for a field tag is not searched for
// field tags again, so a memo that quotes "[%FIELD001]" prints as written.
QString replaceFieldTags(const QString& text, const TemplateSources& sources)
{
    QString result;
    qsizetype done = 0;
    auto matches = fieldTagPattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += QStringView(text).mid(done, match.capturedStart() - done);
        result += ParserCallback(match.captured(), sources);
        done = match.capturedEnd();
    }
    result += QStringView(text).mid(done);
    return result;
}

} // namespace

QString makerWebAddress()
{
    return QString::fromUtf8(core::kMakerWebAddress.data(),
                             qsizetype(core::kMakerWebAddress.size()));
}

QString makerCopyright()
{
    return QString::fromUtf8(core::kMakerCopyright.data(), qsizetype(core::kMakerCopyright.size()));
}

QString Parser1(const QString& raw, const TemplateSources& sources)
{
    QString text = raw;
    if (text.contains(QLatin1String("[%DATE]"), Qt::CaseInsensitive))
        replaceTag(text, "[%DATE]", now(sources).toString(QStringLiteral("dd.MM.yyyy")));
    if (text.contains(QLatin1String("[%TIME]"), Qt::CaseInsensitive))
        replaceTag(text, "[%TIME]", now(sources).toString(QStringLiteral("HH:mm")));
    replaceTag(text, "[%WWW]", makerWebAddress());
    replaceTag(text, "[%COPYRIGHT]", makerCopyright());
    const bool cards = hasCards(sources);
    replaceTag(text, "[%DBFNAME]",
               cards ? QFileInfo(QString::fromStdString(sources.table->fileName())).fileName()
                     : QString());
    replaceTag(text, "[%RECNO]", cards ? QString::number(sources.table->RecNo()) : QString());
    return replaceFieldTags(text, sources);
}

QString EgenParser(const QString& raw, const TemplateSources& sources, const PageTags& page)
{
    QString text = Parser1(raw, sources);
    replaceTag(text, "[%PAGENO]", QString::number(page.pageNo));
    replaceTag(text, "[%JOB]", page.jobLine.trimmed());
    return text;
}

QString ParserCallback(const QString& tag, const TemplateSources& sources)
{
    // "[%FIELD" is seven characters; the digits run up to the closing bracket.
    const int feltNr = tag.mid(7, tag.size() - 8).toInt();
    if (!hasCards(sources))
        return QLatin1Char('<') + sources.ingenDatabase + QLatin1Char('>');
    engine::TDbfTable& table = *sources.table;
    // Field numbers outside the table name nothing; an empty value keeps the rest of
    // the text readable where a placeholder would look like data.
    if (feltNr < 1 || feltNr > table.fieldCount())
        return {};
    if (table.GetField(feltNr).what == 'M') {
        const auto nr = static_cast<std::uint16_t>(feltNr);
        return QString::fromStdString(table.MemoRead(nr)).trimmed();
    }
    return GetX(table, feltNr, sources.spraak);
}

} // namespace kvilbo::printing
