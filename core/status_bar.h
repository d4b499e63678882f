#pragma once

#include "core/status_texts.h"

#include <QObject>

class QLabel;
class QWidget;

// The labels that describe the open database: the header above the views and
// the status bar below them. The window computes a StatusBarState; this only
// puts it on screen.

namespace kvilbo::core {

class Notice;

/// headertekst, visningtekst, sorttekst, label2, Label66, sLabel3, nkort, akort.
class StatusBar : public QObject
{
public:
    /// Labels are created as children of parent; notice is the status bar's mlabel.
    StatusBar(QWidget *parent, Notice &notice);

    /// Puts state on the labels.
    void apply(const StatusBarState &state);
    /// Enables or disables the labels that follow an open database (sLabel3, nkort, akort).
    void setCountersEnabled(bool on);

    /// headertekst, visningtekst, sorttekst and label2 side by side.
    QWidget *header() const { return m_header; }
    /// mlabel, Label66, sLabel3, nkort, akort side by side.
    QWidget *bar() const { return m_bar; }
    /// The indicator "MARKERT".
    QLabel *Label66() const { return m_Label66; }
    /// The current field number.
    QLabel *sLabel3() const { return m_sLabel3; }
    /// The current card number.
    QLabel *nkort() const { return m_nkort; }
    /// The "EKSKLUSIVT" indicator.
    QLabel *label2() const { return m_label2; }

private:
    QLabel *makeLabel(QWidget *parent, const char *name, bool bold);

    Notice &m_notice;
    QWidget *m_header;
    QWidget *m_bar;
    QLabel *m_headertekst, *m_visningtekst, *m_sorttekst, *m_label2;
    QLabel *m_Label66, *m_sLabel3, *m_nkort, *m_akort;
};

} // namespace kvilbo::core
