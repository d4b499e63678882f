// Draws the card view of a table into a PNG file, for the documentation:
//   cardview_screenshot <table.DBF> <picture.png> [record]

#include "cardview/card_view.h"
#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <QApplication>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <table.DBF> <picture.png> [record]\n", argv[0]);
        return 2;
    }
    QTemporaryDir programFolder;
    const kvilbo::core::TKonfig konfig = kvilbo::core::defaultKonfig();
    const kvilbo::core::Texts texts(0);
    kvilbo::core::Log log(programFolder.path().toStdString(), texts);
    kvilbo::engine::TDbfTable DBF;
    if (!DBF.OpenDatabase(argv[1], false, false)) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], DBF.lastErrorMessage().c_str());
        return 1;
    }
    kvilbo::layout::LayoutTable layoutTable(konfig, texts, log);
    layoutTable.Formularaapne(DBF);
    DBF.Go(argc > 3 ? std::atoi(argv[3]) : 1);

    QScrollArea surface;
    surface.setObjectName(QStringLiteral("bakgrunn1"));
    surface.setWidget(new QWidget);
    surface.resize(900, 900);
    kvilbo::cardview::CardContext context;
    context.texts = &texts;
    context.MSG = [&log](const std::string &text, bool lyd) { log.MSG(text, lyd); };
    kvilbo::cardview::CardView view(&surface, DBF, context);
    view.formularsettoppSIDE(layoutTable.FORFIL());
    view.oppdaterSide();
    surface.show();
    view.focusFirstField();
    QTest::qWait(300);
    const bool saved = surface.grab().save(QString::fromLocal8Bit(argv[2]));
    layoutTable.close();
    DBF.closedatabase();
    return saved ? 0 : 1;
}
