#pragma once

// The object handler panel sPanel1: heading, the toolbar that adds and
// deletes objects, the chooser ComboBox1, the property grid vle and the
// "OK" and "Avbryt" buttons. It shows a PropertyGrid and reports the user's
// edits; what they do is DesignMode's.

#include "designer/property_grid.h"

#include <QFrame>

class QComboBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;
class QPushButton;

namespace kvilbo::core {
class Texts;
}

namespace kvilbo::designer {

class ObjectPanel : public QFrame {
    Q_OBJECT
public:
    /// A hidden panel in the language of texts, which must outlive it.
    ObjectPanel(const core::Texts &texts, QWidget *parent = nullptr);

    /// Sets the panel's captions and hints in the texts' current language.
    void setTexts();
    /// Shows grid's rows; no edit is reported while they are filled.
    void showRows(const PropertyGrid &grid);
    /// Sets one row's shown value without reporting it.
    void setRowValue(int row, const QString &value);
    /// The value shown in row.
    QString rowValue(int row) const;

    QComboBox *ComboBox1() const { return m_combo; }
    QTableWidget *vle() const { return m_vle; }
    /// The grid whose rows are shown (pick lists, styles).
    const PropertyGrid *grid() const { return m_grid; }

signals:
    /// The user committed a new value in row.
    void rowEdited(int row, const QString &value);
    /// The ellipsis button of row was pressed.
    void editButtonClicked(int row);
    void addFieldClicked();
    void addTextBoxClicked();
    void addPictureClicked();
    void deleteClicked();
    void okClicked();
    void cancelClicked();
    /// The user chose an object in the chooser.
    void objectChosen();

private:
    QToolButton *toolButton(const char *name, const QString &glyph);
    void itemChanged(QTableWidgetItem *item);

    const core::Texts &m_texts;
    const PropertyGrid *m_grid = nullptr;
    QLabel *m_heading;
    QLabel *m_subtitle;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QComboBox *m_combo;
    QTableWidget *m_vle;
    bool m_filling = false;
};

} // namespace kvilbo::designer
