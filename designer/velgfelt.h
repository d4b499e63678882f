#pragma once

// The choose-field window: every field of the card table with its number,
// name, type, length and decimals; the designer and the marking menu's sum
// ask the user for one field through it.

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace kvilbo::core {
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::designer {

class TForm1 : public QDialog {
    Q_OBJECT
public:
    /// A hidden window in the language of texts, which must outlive it.
    explicit TForm1(const core::Texts &texts, QWidget *parent = nullptr);

    /// The card table whose fields are listed; nullptr while no database is open.
    void setTable(engine::TDbfTable *DBF) { m_table = DBF; }
    /// Whether Escape cancels the choice (the DefEsc setting).
    void setDefEsc(bool on) { m_defEsc = on; }

    /// Shows the window modally; the chosen field number, or 0 when cancelled.
    int velgfeltvindu();
    /// The choice of the last showing: the field number, or 0 when cancelled.
    int chosenField() const;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setTexts();
    void fillFields();
    void cancel();

    const core::Texts &m_texts;
    engine::TDbfTable *m_table = nullptr;
    bool m_defEsc = false;
    QTreeWidget *m_list;
    QPushButton *m_ok;
};

} // namespace kvilbo::designer
