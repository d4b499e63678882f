#pragma once

#include <QString>

namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::printing {

/// Display text of field FeltNr of the table's current record in language spraak (0 Norwegian,
/// 1 English); empty outside 1 .. field count or when the table is closed.
QString GetX(engine::TDbfTable& table, int FeltNr, int spraak);

} // namespace kvilbo::printing
