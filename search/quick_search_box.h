#pragma once

// The quick search box of the main window: Enter in `sEdit1` finds the next
// card showing the text, marks it when `sCheckBox1` is checked, reports in
// the status line and selects the box's text for the next search.

#include "search/quick_search.h"

#include <QObject>

class QCheckBox;
class QLineEdit;

namespace kvilbo::search {

class SearchHost;

class QuickSearchBox : public QObject {
    Q_OBJECT
public:
    /// Serves Enter in sEdit1; every reference must outlive this object.
    QuickSearchBox(QLineEdit &sEdit1, QCheckBox &sCheckBox1, CardGrid &grid, const core::Texts &texts,
                   SearchHost &host, QObject *parent = nullptr);

    /// One search for the box's text, as Enter runs it.
    QuickSearchResult sEdit1KeyPress();

private:
    QLineEdit &m_edit;
    QCheckBox &m_mark;
    CardGrid &m_grid;
    const core::Texts &m_texts;
    SearchHost &m_host;
};

} // namespace kvilbo::search
