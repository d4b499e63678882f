#pragma once

// The card fields' events: entering a control starts an edit, leaving it ends
// the edit (and writes a changed value), typed keys pass the field type's rule.

#include "cardview/field_edit.h"

#include <QObject>
#include <QPointer>

#include <exception>

class QWidget;

namespace kvilbo::cardview {

class FieldEditor : public QObject {
    Q_OBJECT
public:
    /// DBF must outlive this object.
    FieldEditor(engine::TDbfTable &DBF, EditOptions options, QObject *parent = nullptr);

    /// The settings in force (language, century base).
    void setOptions(const EditOptions &options);
    /// Routes a field control's focus and key events here; its "Tag" property is the field number.
    void attach(QWidget *control);

    /// Starts an edit of control (its enter event).
    void StackStart(QWidget *Sender);
    /// Ends the edit of control, writing a changed value (its leave event).
    void StackEnd(QWidget *Sender);
    /// Applies the field type's key rule; true when the key was consumed.
    bool EgenOnKeyPress(QWidget *Sender, QChar Key);

    /// The edit-tracking record.
    const DEFFieldStack &FieldStack() const { return m_logic.FieldStack(); }
    /// The control whose last leave failed (nothing written, its text kept), or null;
    /// a command that moved the focus away can give it back instead of acting.
    QWidget *failedControl() const { return m_failed; }
    /// The table field number a control shows (its "Tag" property), 0 for none.
    static int fieldNumberOf(const QObject *control);
    /// A field control's text as the edit path compares and stores it.
    static QString controlText(const QWidget *control);

signals:
    /// A field was entered (for the field hint in the status bar).
    void fieldEntered(int feltNr);
    /// About to write: the busy indicator should light.
    void busy();
    /// Field feltNr of record recNo was written (the list row should be refreshed).
    void recordWritten(int recNo, int feltNr);
    /// Writing failed; nothing was written. For the program's error dialog.
    void failed(std::exception_ptr error);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    engine::TDbfTable &m_DBF;
    FieldEditLogic m_logic;
    EditOptions m_options;
    QPointer<QWidget> m_failed;
};

} // namespace kvilbo::cardview
