#pragma once

// A window with the object handler panel and the card surface bakgrunn1 over
// the demo database, its card view built, and design mode ready to enter.

#include "demo_database.h"

#include "cardview/card_view.h"
#include "designer/design_control.h"
#include "designer/design_mode.h"
#include "designer/object_panel.h"
#include "designer/size_ctrl.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QWidget>

#include <memory>

namespace kvilbo::designer::test {

struct DesignHarness {
    DesignHarness()
    {
        auto *row = new QHBoxLayout(&window);
        bakgrunn1 = new QScrollArea(&window);
        bakgrunn1->setObjectName(QStringLiteral("bakgrunn1"));
        bakgrunn1->setWidget(new QWidget);
        cardview::CardContext context;
        context.texts = &db.texts;
        context.MSG = [this](const std::string &text, bool) { messages << QString::fromStdString(text); };
        context.options = {0, 2000};
        view = std::make_unique<cardview::CardView>(bakgrunn1, db.DBF, context);
        mode = std::make_unique<DesignMode>(bakgrunn1, db.konfig, db.texts, &window);
        row->addWidget(mode->sPanel1());
        row->addWidget(bakgrunn1, 1);
        QObject::connect(mode.get(), &DesignMode::message, [this](const QString &t, bool) { messages << t; });
        QObject::connect(mode.get(), &DesignMode::melding, [this](const QString &t) { notices << t; });
        window.resize(1200, 800);
        view->formularsettoppSIDE(db.FORFIL());
        view->oppdaterSide();
        bakgrunn1->show();
    }

    /// Enters design mode.
    void enter() { mode->VisSideFormularEndre(*view, db.DBF, db.FORFIL()); }
    /// The design control named name, or nullptr.
    DesignControl *control(const QString &name) const
    {
        return bakgrunn1->widget()->findChild<DesignControl *>(name, Qt::FindDirectChildrenOnly);
    }

    DemoDatabase db;
    QWidget window;
    QScrollArea *bakgrunn1;
    std::unique_ptr<cardview::CardView> view;
    std::unique_ptr<DesignMode> mode;
    QStringList messages;
    QStringList notices;
};

} // namespace kvilbo::designer::test
