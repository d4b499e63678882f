#pragma once

// The card view on the card surface bakgrunn1: the controls of the card layout
// made from the layout table, and the current record loaded into them.

#include "cardview/field_edit.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QScrollArea;
class QWidget;

namespace kvilbo::core {
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::cardview {

class FieldEditor;
struct CardObject;

/// What the card view reports to and reads from the main window.
struct CardContext {
    const core::Texts *texts = nullptr;                          ///< text table in the window's language
    std::function<void(const std::string &text, bool lyd)> MSG;  ///< log and message line
    EditOptions options;                                          ///< language and century base
};

class CardView : public QObject {
    Q_OBJECT
public:
    /// A card view on bakgrunn1's widget for the card table DBF; DBF and texts must outlive it.
    CardView(QScrollArea *bakgrunn1, engine::TDbfTable &DBF, CardContext context, QObject *parent = nullptr);
    ~CardView() override;

    /// Language and century base for the controls built next and the edits.
    void setOptions(const EditOptions &options);
    /// Rebuilds the card from FORFIL's card layout; leaves the surface hidden.
    void formularsettoppSIDE(engine::TDbfTable &FORFIL);
    /// Loads the current record of DBF into every field control.
    void oppdaterSide();
    /// Gives the keyboard focus to the field with the lowest tab number; false when none.
    bool focusFirstField();
    /// Ends the edit of the focused field control, writing a changed value (before closing).
    void finishEdit();
    /// Destroys the card's controls (database closed).
    void clear();

    /// The field controls in creation order.
    const std::vector<QWidget *> &fieldControls() const { return m_fields; }
    /// The edit path of the fields (its signals: written, busy, failed, entered).
    FieldEditor &fieldEditor() { return *m_editor; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *card() const;
    void addPicture(const CardObject &o);
    void addTextBox(const CardObject &o);
    void addField(const CardObject &o);
    void fitCard();

    QScrollArea *m_bakgrunn1;
    engine::TDbfTable &m_DBF;
    CardContext m_context;
    FieldEditor *m_editor;
    std::vector<QWidget *> m_fields;
    std::vector<QWidget *> m_tabStops; // in Tab order
    int m_pictureCount = 0;
    int m_textBoxCount = 0;
};

} // namespace kvilbo::cardview
