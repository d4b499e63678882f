#pragma once

// The list-print and label records of a layout table, read and written as
// plain values. The list print lives at fixed record positions after the
// list view; the label layout is replaced as a whole when saved.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::printing {

/// A font as layout records store it; size in points, colour 0x00BBGGRR.
struct FontSpec {
    QString name;
    int size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t colour = 0;
};

/// One column record of the list print.
struct ListColumnRecord {
    int feltNr = 0;
    QString heading;
    int widthMm = 0;
};

/// The list print settings record and its column records, in record order.
struct ListPrintSettings {
    FontSpec font;
    bool shading = false;
    std::vector<ListColumnRecord> columns;
};

/// Label sheet geometry in whole millimetres.
struct LabelSheet {
    int rows = 8;
    int columns = 3;
    int top = 10;
    int bottom = 10;
    int left = 5;
    int right = 5;
    int hgap = 2;
    int vgap = 2;
};

/// The label settings record and the label text lines.
struct LabelSettings {
    bool found = false;
    LabelSheet sheet;
    FontSpec font;
    QStringList lines;
    /// The label text: the lines right-trimmed, each followed by a carriage return.
    QString text() const;
};

/// True when a flag text starts with J, T or Y in either case.
bool flagTrue(const QString& text);

/// Physical record number of the list print settings record for a table of fieldCount fields.
inline int listPrintRecord(int fieldCount) { return fieldCount + 2; }

/// True when record fieldCount + 2 of FORFIL is the list print settings record (4/1).
bool isListPrintRecord(engine::TDbfTable& FORFIL, int fieldCount);

/// Reads the list print; nullopt when record F + 2 is not its settings record.
/// strict: numbers that do not convert throw PrintError instead of counting as 0.
std::optional<ListPrintSettings> readListPrint(engine::TDbfTable& FORFIL, int fieldCount,
                                               bool strict);

/// Rewrites the list print records in place; throws PrintError when record F + 2 is not
/// the list print settings record or a write is refused.
void writeListPrint(engine::TDbfTable& FORFIL, int fieldCount, const ListPrintSettings& settings);

/// Reads every live label record in record order; the last settings record counts.
LabelSettings readLabels(engine::TDbfTable& FORFIL);

/// Flags the old label records as deleted and appends the settings record and one record per line.
void writeLabels(engine::TDbfTable& FORFIL, const LabelSettings& settings);

/// Stores sheet and font into the first live label settings record; false when there is none.
bool storeLabelHeader(engine::TDbfTable& FORFIL, const LabelSettings& settings);

} // namespace kvilbo::printing
