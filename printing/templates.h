#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::printing {

/// What the template tags read: the card table, the language and the clock.
struct TemplateSources {
    /// The card table, open or closed; null counts as closed.
    engine::TDbfTable* table = nullptr;
    /// 0 Norwegian, 1 English.
    int spraak = 0;
    /// Text 2900 in the current language, shown for field tags when no card can be read.
    QString ingenDatabase;
    /// Local date and time; empty means the system clock.
    std::function<QDateTime()> clock;
};

/// The page-dependent values of the print tags.
struct PageTags {
    /// Number of the page being produced, from 1.
    int pageNo = 1;
    /// The preview window's job line (text 7012 and the job name).
    QString jobLine;
};

/// The maker's web address that "[%WWW]" gives.
QString makerWebAddress();
/// The maker's rights notice that "[%COPYRIGHT]" gives.
QString makerCopyright();

/// Replaces the basic tags, in order: DATE, TIME, WWW, COPYRIGHT, DBFNAME, RECNO, then field tags.
QString Parser1(const QString& raw, const TemplateSources& sources);

/// Parser1, then "[%PAGENO]" and then "[%JOB]".
QString EgenParser(const QString& raw, const TemplateSources& sources, const PageTags& page);

/// The value of one matched field tag such as "[%FIELD007]".
QString ParserCallback(const QString& tag, const TemplateSources& sources);

} // namespace kvilbo::printing
