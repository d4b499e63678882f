#include "search/quick_search_box.h"

#include "search/search_host.h"

#include <QCheckBox>
#include <QLineEdit>

namespace kvilbo::search {

QuickSearchBox::QuickSearchBox(QLineEdit &sEdit1, QCheckBox &sCheckBox1, CardGrid &grid,
                               const core::Texts &texts, SearchHost &host, QObject *parent)
    : QObject(parent), m_edit(sEdit1), m_mark(sCheckBox1), m_grid(grid), m_texts(texts), m_host(host)
{
    // returnPressed consumes the key: no beep, no default button.
    connect(&m_edit, &QLineEdit::returnPressed, this, [this] { sEdit1KeyPress(); });
}

QuickSearchResult QuickSearchBox::sEdit1KeyPress()
{
    const QuickSearchResult result = quickSearch(m_grid, m_edit.text(), m_mark.isChecked());
    m_host.notice(quickSearchNotice(result, m_texts));
    if (result.outcome == QuickSearchResult::Outcome::Found)
        m_host.refreshCardView();
    m_edit.selectAll();
    return result;
}

} // namespace kvilbo::search
