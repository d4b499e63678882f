// How the main window is put together: toolbars, quick search, database
// header, the two views in one place, message line and status bar.

#include "core/hovedskjerm.h"

#include "core/card_list.h"
#include "core/card_surface.h"
#include "core/message_line.h"
#include "core/status_bar.h"
#include "core/toolbar_icons.h"
#include "designer/design_mode.h"
#include "designer/object_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvilbo::core {

namespace {

QToolBar *makeToolBar(QWidget *parent, const char *name)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(32, 32));
    // Commands take the focus to the toolbar first, so an edit in progress is left and written.
    bar->setFocusPolicy(Qt::ClickFocus);
    return bar;
}

} // namespace

QToolButton *TForm3::addButton(QToolBar *bar, const char *name, ToolIcon icon, int hint)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(toolIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(45, 45);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    if (hint > 0)
        button->setToolTip(text(hint));
    bar->addWidget(button);
    return button;
}

void TForm3::buildWindow()
{
    setObjectName(QStringLiteral("Form3"));
    auto *central = new QWidget(this);
    auto *page = new QVBoxLayout(central);
    page->setContentsMargins(4, 4, 4, 0);
    page->setSpacing(2);

    m_sToolBar1 = makeToolBar(central, "sToolBar1");
    addButton(m_sToolBar1, "ToolButton11", ToolIcon::Open, 2120);
    addButton(m_sToolBar1, "ToolButton25", ToolIcon::NewDatabase, 2121);
    auto *close = addButton(m_sToolBar1, "ToolButton26", ToolIcon::Close, 2122);
    m_sToolBar1->addSeparator();
    auto *list = addButton(m_sToolBar1, "ToolButton1", ToolIcon::ListView, 2123);
    auto *card = addButton(m_sToolBar1, "ToolButton2", ToolIcon::CardView, 2124);
    auto *views = new QButtonGroup(this);
    for (QToolButton *b : {list, card}) {
        b->setCheckable(true);
        views->addButton(b);
    }
    m_sToolBar1->addSeparator();
    auto *print = addButton(m_sToolBar1, "ToolButton5", ToolIcon::Print, 2125);
    print->setPopupMode(QToolButton::MenuButtonPopup);
    print->setFixedWidth(60);
    m_sToolBar1->addSeparator();
    auto *info = addButton(m_sToolBar1, "ToolButton6", ToolIcon::Information, 2126);
    addButton(m_sToolBar1, "ToolButton7", ToolIcon::Settings, 2127);
    m_sToolBar1->addSeparator();
    auto *design = addButton(m_sToolBar1, "ToolButton3", ToolIcon::Design, 2128);
    addButton(m_sToolBar1, "ToolButton24", ToolIcon::Welcome, 2129);
    addButton(m_sToolBar1, "ToolButton9", ToolIcon::Exit, 2130);

    auto *search = new QWidget(central);
    search->setObjectName(QStringLiteral("hurtigsok"));
    auto *searchRow = new QHBoxLayout(search);
    searchRow->setContentsMargins(0, 0, 0, 0);
    auto *searchIcon = new QLabel(search);
    searchIcon->setPixmap(toolIcon(ToolIcon::Search).pixmap(24, 24));
    m_sEdit1 = new QLineEdit(search);
    m_sEdit1->setObjectName(QStringLiteral("sEdit1"));
    m_sEdit1->setMinimumWidth(180);
    m_sCheckBox1 = new QCheckBox(search);
    m_sCheckBox1->setObjectName(QStringLiteral("sCheckBox1"));
    m_sLabel4 = new QLabel(search);
    m_sLabel4->setObjectName(QStringLiteral("sLabel4"));
    m_sLabel4->setCursor(Qt::PointingHandCursor);
    // The link colours of the settings: 13395456 normally, 213157 under the mouse.
    m_sLabel4->setStyleSheet(QStringLiteral("QLabel { color: #0066cc; } QLabel:hover { color: #a54003; }"));
    for (QWidget *w : std::initializer_list<QWidget *>{searchIcon, m_sEdit1, m_sCheckBox1, m_sLabel4})
        searchRow->addWidget(w);

    auto *top = new QHBoxLayout;
    top->addWidget(m_sToolBar1);
    top->addStretch(1);
    top->addWidget(search);
    page->addLayout(top);

    auto *header = new QHBoxLayout;
    header->addWidget(m_statusBar->header(), 1);
    header->addWidget(m_busy->label());
    page->addLayout(header);

    auto *views2 = new QGridLayout;
    m_design = new designer::DesignMode(m_bakgrunn1, m_konfig, m_texts, central);
    views2->addWidget(m_design->sPanel1(), 0, 0);
    views2->addWidget(m_kortliste->widget(), 0, 1);
    views2->addWidget(m_bakgrunn1, 0, 1);
    views2->setColumnStretch(1, 1);
    page->addLayout(views2, 1);

    m_sToolBar2 = makeToolBar(central, "sToolBar2");
    auto *bottom = new QHBoxLayout;
    auto *newCard = addButton(m_sToolBar2, "ToolButton10", ToolIcon::NewCard, 2131);
    auto *first = addButton(m_sToolBar2, "ToolButton12", ToolIcon::First, 2132);
    auto *previous = addButton(m_sToolBar2, "ToolButton14", ToolIcon::Previous, 2133);
    auto *next = addButton(m_sToolBar2, "ToolButton16", ToolIcon::Next, 2134);
    auto *last = addButton(m_sToolBar2, "ToolButton17", ToolIcon::Last, 2135);
    auto *mark = addButton(m_sToolBar2, "ToolButton18", ToolIcon::Mark, 2200);
    mark->setPopupMode(QToolButton::MenuButtonPopup);
    mark->setFixedWidth(60);
    bottom->addWidget(m_sToolBar2);
    m_versionLabel = new QLabel(central);
    m_versionLabel->setObjectName(QStringLiteral("versjonstekst"));
    bottom->addWidget(m_versionLabel);
    bottom->addStretch(1);
    m_Image4 = new QLabel(central);
    m_Image4->setObjectName(QStringLiteral("Image4"));
    m_Image4->setPixmap(toolIcon(ToolIcon::Log).pixmap(32, 32));
    m_Image4->setCursor(Qt::PointingHandCursor);
    bottom->addWidget(m_Image4);
    m_messageLine->setMinimumWidth(380);
    bottom->addWidget(m_messageLine, 1);
    page->addLayout(bottom);
    page->addWidget(m_statusBar->bar());
    setCentralWidget(central);

    m_databaseControls = {close,     list, card, newCard,  first,        previous, next,
                          last,      mark, design, print, m_sEdit1, m_sCheckBox1, m_sLabel4};
    // Information, appearance and the log arrive with their windows.
    for (QWidget *w : std::initializer_list<QWidget *>{info, m_Image4})
        w->setEnabled(false);
    for (const char *later : {"ToolButton25", "ToolButton7"})
        findChild<QToolButton *>(QString::fromLatin1(later))->setEnabled(false);
    buildMenus();
    setDatabaseControlsEnabled(false);
}

void TForm3::buildMenus()
{
    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu1"));
    for (int number : {2300, 2301, 0, 2303, 2304, 0, 2308, 2309, 0, 2306}) {
        if (number == 0)
            printMenu->addSeparator();
        else
            printMenu->addAction(text(number))->setData(number);
    }
    findChild<QToolButton *>(QStringLiteral("ToolButton5"))->setMenu(printMenu);

    auto *markMenu = new QMenu(this);
    markMenu->setObjectName(QStringLiteral("PopupMenu2"));
    for (int number = 2200; number <= 2206; ++number)
        markMenu->addAction(text(number))->setData(number);
    findChild<QToolButton *>(QStringLiteral("ToolButton18"))->setMenu(markMenu);
}

void TForm3::setCaptions()
{
    m_statusBar->label2()->setText(text(2097));
    m_statusBar->Label66()->setText(text(2105));
    m_busy->label()->setText(text(2107));
    m_sCheckBox1->setText(text(2108));
    m_sEdit1->setPlaceholderText(text(2110));
    m_sEdit1->setToolTip(text(2109));
    m_sLabel4->setText(text(2111));
    m_Image4->setToolTip(text(2600));
    m_versionLabel->setText(QStringLiteral("Kvilbo ") + versionText());
    // The menus are built before the settings file settles the language.
    for (const char *name : {"PopupMenu1", "PopupMenu2"})
        for (QAction *action : findChild<QMenu *>(QString::fromLatin1(name))->actions())
            if (!action->isSeparator())
                action->setText(text(action->data().toInt()));
}

void TForm3::setDatabaseControlsEnabled(bool on)
{
    for (QWidget *w : m_databaseControls)
        w->setEnabled(on);
    for (const char *name : {"ToolButton5", "ToolButton18"}) {
        auto *button = findChild<QToolButton *>(QString::fromLatin1(name));
        if (button && button->menu()) {
            for (QAction *action : button->menu()->actions())
                action->setEnabled(on);
        }
    }
    m_statusBar->setCountersEnabled(on);
}

} // namespace kvilbo::core
