#include "listview/list_model.h"

#include "cardview/field_edit.h"

namespace kvilbo::listview {

void defaultCommit(engine::TDbfTable &DBF, int feltNr, const QString &verdi, const ListOptions &options)
{
    cardview::repl(DBF, feltNr, verdi, {options.spraak, options.DefAarHundre});
}

} // namespace kvilbo::listview
