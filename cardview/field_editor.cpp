#include "cardview/field_editor.h"

#include "cardview/masked_edit.h"
#include "engine/dbf_table.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVariant>

namespace kvilbo::cardview {

namespace {

// Another window coming to the front (the error dialog among them) or a context
// menu neither ends nor starts an edit: returning would re-record the text as
// it stands and a rejected value would then count as unchanged.
bool movesWithinWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

FieldEditor::FieldEditor(engine::TDbfTable &DBF, EditOptions options, QObject *parent)
    : QObject(parent), m_DBF(DBF), m_logic(DBF, options), m_options(options)
{
    m_logic.setHooks({[this] { emit busy(); }, [this](int recNo, int feltNr) { emit recordWritten(recNo, feltNr); }});
}

void FieldEditor::setOptions(const EditOptions &options)
{
    m_options = options;
    m_logic.setOptions(options);
}

void FieldEditor::attach(QWidget *control)
{
    control->installEventFilter(this);
}

int FieldEditor::fieldNumberOf(const QObject *control)
{
    return control ? control->property("Tag").toInt() : 0;
}

QString FieldEditor::controlText(const QWidget *control)
{
    if (auto *edit = qobject_cast<const MaskedEdit *>(control))
        return edit->fieldText();
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(control)) {
        // Memo files keep Windows line ends; the editor shows plain ones.
        return memo->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    }
    return {};
}

void FieldEditor::StackStart(QWidget *Sender)
{
    const int feltNr = fieldNumberOf(Sender);
    // Back in a field whose value was refused: the edit is still the one that
    // began with the record's text, so the corrected value is compared with
    // that and written; starting afresh would take the refused text as unchanged.
    if (Sender == m_failed) {
        emit fieldEntered(feltNr);
        return;
    }
    m_failed = nullptr;
    m_logic.StackStart(feltNr, controlText(Sender));
    emit fieldEntered(feltNr);
}

void FieldEditor::StackEnd(QWidget *Sender)
{
    const int feltNr = fieldNumberOf(Sender);
    const QString text = controlText(Sender);
    m_failed = nullptr;
    try {
        if (auto *edit = qobject_cast<MaskedEdit *>(Sender)) {
            if (const std::optional<QString> shown = m_logic.StackEnd(feltNr, text))
                edit->setFieldText(*shown);
        } else if (qobject_cast<QPlainTextEdit *>(Sender)) {
            m_logic.StackEndMemo(feltNr, text);
        }
    } catch (...) {
        m_failed = Sender;
        emit failed(std::current_exception());
    }
}

bool FieldEditor::EgenOnKeyPress(QWidget *Sender, QChar Key)
{
    auto *edit = qobject_cast<MaskedEdit *>(Sender);
    const int feltNr = fieldNumberOf(Sender);
    if (!edit || feltNr < 1 || feltNr > m_DBF.fieldCount())
        return false;
    const char type = m_DBF.GetField(feltNr).what;
    if (type == 'L') {
        if (const std::optional<QString> text = logicalKeyText(Key, edit->fieldText(), m_options.spraak))
            edit->setFieldText(*text);
        return true;
    }
    if (type == 'N' || type == 'F') {
        const QString text = edit->fieldText();
        const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int selLength = static_cast<int>(edit->selectedText().size());
        return !acceptNumericKey(Key, text, selStart, selLength, decimalSeparatorOf(m_options.spraak));
    }
    return false;
}

bool FieldEditor::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (movesWithinWindow(static_cast<QFocusEvent *>(event)->reason()))
            StackStart(control);
        break;
    case QEvent::FocusOut:
        if (movesWithinWindow(static_cast<QFocusEvent *>(event)->reason()))
            StackEnd(control);
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        // Only typed characters are filtered; arrows, Delete and Tab keep their work.
        const QChar typed = key->key() == Qt::Key_Backspace ? QLatin1Char('\b')
                            : key->text().isEmpty()        ? QChar()
                                                           : key->text().at(0);
        if (!typed.isNull() && (typed.isPrint() || typed == QLatin1Char('\b'))
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return EgenOnKeyPress(control, typed);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kvilbo::cardview
