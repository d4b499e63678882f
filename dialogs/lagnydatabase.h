#pragma once

#include "dialogs/new_database.h"
#include "dialogs/secondary_dialog.h"

#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kvilbo::core {
struct TKonfig;
class Texts;
}

namespace kvilbo::dialogs {

class DialogPrompts;

/// The wizard's field list: rows move by dragging within the list.
class FieldListView : public QTreeWidget
{
public:
    /// Called with the selected row numbers and the row they were dropped before.
    using MoveHandler = std::function<void(std::vector<int> rows, int before)>;

    explicit FieldListView(QWidget *parent);
    /// Sets what a drop does.
    void setMoveHandler(MoveHandler handler) { m_onMove = std::move(handler); }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    MoveHandler m_onMove;
};

/// TFormLagNyDatabase: defines the fields of a new card table and creates it.
class TFormLagNyDatabase : public SecondaryDialog
{
public:
    /// konfig, texts and prompts (nullptr: the real ones) must outlive the window.
    TFormLagNyDatabase(const core::TKonfig &konfig, const core::Texts &texts,
                       std::filesystem::path programFolder, DialogPrompts *prompts = nullptr,
                       QWidget *parent = nullptr);

    /// The rows of the field list in list order.
    const std::vector<FieldRow> &rows() const { return m_rows; }
    /// Full name of the table the last successful OK created, empty before.
    const std::string &createdFile() const { return m_created; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildWindow();
    QWidget *buildEditPanel();
    void FormShow();
    void refreshList();
    void refreshRow(int row);
    void selectRow(int row);
    void loadRow(int row);
    void applyBoxRules(FieldKind kind);
    void sEdit3Change();
    void sComboBox1Change(int index);
    void sSpinEdit5Change(int value);
    void sSpinEdit6Change(int value);
    void sSpeedButton1Click();
    void sSpeedButton2Click();
    void sFilenameEdit1Browse();
    void sButton2Click();
    void moveSelected(std::vector<int> rows, int before);
    QString text(int number) const;

    const core::TKonfig &m_konfig;
    const core::Texts &m_texts;
    std::filesystem::path m_programFolder;
    DialogPrompts &m_prompts;
    std::vector<FieldRow> m_rows;
    int m_current = -1;
    bool m_loading = false;
    std::string m_created;

    FieldListView *m_sListView2 = nullptr;
    QLineEdit *m_sEdit3 = nullptr;
    QComboBox *m_sComboBox1 = nullptr;
    QSpinBox *m_sSpinEdit5 = nullptr;
    QSpinBox *m_sSpinEdit6 = nullptr;
    QLineEdit *m_sFilenameEdit1 = nullptr;
    QLabel *m_meld = nullptr;
};

} // namespace kvilbo::dialogs
