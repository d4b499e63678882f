#pragma once

#include "dialogs/secondary_dialog.h"

#include <string>

class QLabel;
class QTreeWidget;

namespace kvilbo::core {
struct TKonfig;
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::dialogs {

struct DatabaseInfo;

/// TForm5: the files, main properties and fields of the open database; reads only.
class TForm5 : public SecondaryDialog
{
public:
    /// DBF and FORFIL are the main window's card and layout tables (open or not, or nullptr).
    TForm5(const core::TKonfig &konfig, const core::Texts &texts, engine::TDbfTable *DBF,
           engine::TDbfTable *FORFIL, QWidget *parent = nullptr);

    /// Replaces the tables the window describes.
    void setTables(engine::TDbfTable *DBF, engine::TDbfTable *FORFIL);
    /// Replaces the mount table used to recognise network folders (tests).
    void setMountTable(std::string mountTable)
    {
        m_mountTable = std::move(mountTable);
        m_mountTableSet = true;
    }
    /// Fills the lists from the open card table; with none open only the caption is set.
    void FormActivate();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    void fill(const DatabaseInfo &info);
    QString text(int number) const;

    const core::Texts &m_texts;
    engine::TDbfTable *m_DBF;
    engine::TDbfTable *m_FORFIL;
    std::string m_mountTable;
    bool m_mountTableSet = false;

    QLabel *m_sLabel29 = nullptr;
    QLabel *m_sLabel8 = nullptr;
    QTreeWidget *m_sListView1 = nullptr;
    QTreeWidget *m_sListView3 = nullptr;
    QTreeWidget *m_sListView2 = nullptr;
};

} // namespace kvilbo::dialogs
