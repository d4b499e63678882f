// The list grid over the 1,000,000-record table made by tools/benchgen
// (KVILBO_BENCH_DIR/scan.dbf), as the user meets it: opening the database to
// the first painted grid, the longest stall while the rest of the records is
// read, sorting by a text, a number and a date column, and the peak memory.
// Prints one table of figures; run with bench/listview/run_listview_bench.sh.
#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"
#include "listview/list_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace kvilbo;

namespace {

// Peak and current resident memory of this process in bytes.
long long statusBytes(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

// Sets painted when the watched widget has been painted once.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// CPU time of this thread in milliseconds: on a machine shared with builds the
// wall time also counts other processes' turns.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void row(const char *what, double value, const char *unit, const char *aim, double cpu = -1)
{
    if (cpu >= 0)
        std::printf("%-50s %10.1f %-3s %9.1f ms  %s\n", what, value, unit, cpu, aim);
    else
        std::printf("%-50s %10.1f %-3s %12s  %s\n", what, value, unit, "", aim);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const char *dir = std::getenv("KVILBO_BENCH_DIR");
    if (!dir) {
        std::fprintf(stderr, "KVILBO_BENCH_DIR is not set\n");
        return 2;
    }
    const std::string path = (std::filesystem::path(dir) / "scan.dbf").string();
    QTemporaryDir programFolder;
    core::TKonfig konfig = core::defaultKonfig();
    core::Texts texts(0);
    core::Log log(programFolder.path().toStdString(), texts);

    listview::ListGrid grid;
    grid.resize(1200, 800);
    PaintWatch watch;
    grid.viewport()->installEventFilter(&watch);
    app.processEvents();
    const long long baseline = statusBytes("VmHWM:");

    // aapnefiler's part up to the first painted grid.
    QElapsedTimer clock;
    clock.start();
    const double cpu0 = cpuMs();
    engine::TDbfTable DBF;
    if (!DBF.OpenDatabase(path, false, false)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), DBF.lastMessage().c_str());
        return 2;
    }
    const double openMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    layout::LayoutTable layoutTable(konfig, texts, log);
    layoutTable.Formularaapne(DBF);
    const double layoutMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    grid.formularsettoppLISTE(DBF, layoutTable.FORFIL());
    const double buildMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    grid.show();
    while (!watch.painted)
        app.processEvents();
    const double paintMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const double paintCpu = cpuMs() - cpu0;

    // The event loop's longest gap while the background reading goes on.
    QElapsedTimer gap;
    gap.start();
    qint64 longestGapNs = 0;
    QTimer heartbeat;
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        longestGapNs = std::max(longestGapNs, gap.nsecsElapsed());
        gap.restart();
    });
    heartbeat.start();
    QElapsedTimer loadClock;
    loadClock.start();
    while (!grid.listModel().fullyLoaded())
        app.processEvents(QEventLoop::WaitForMoreEvents);
    const double loadMs = static_cast<double>(loadClock.nsecsElapsed()) / 1e6;
    heartbeat.stop();

    double cpu[3][3];
    auto timedSort = [&](int column, double &cpuSpent) {
        QElapsedTimer t;
        t.start();
        const double c0 = cpuMs();
        grid.sortColumn(column);
        app.processEvents();
        cpuSpent = cpuMs() - c0;
        return static_cast<double>(t.nsecsElapsed()) / 1e6;
    };
    const int navn = grid.listModel().columnOfField(DBF.FieldNumber("NAVN"));
    const int belop = grid.listModel().columnOfField(DBF.FieldNumber("BELOP"));
    const int fodt = grid.listModel().columnOfField(DBF.FieldNumber("FODT"));
    double ms[3][3];
    const int columns[3] = {navn, belop, fodt};
    for (int i = 0; i < 3; ++i)
        for (int step = 0; step < 3; ++step) // ascending, descending, back to record order
            ms[i][step] = timedSort(columns[i], cpu[i][step]);
    const long long peak = statusBytes("VmHWM:");
    const int records = DBF.RecCount();

    std::printf("\n%-50s %10s %-3s %12s  %s\n", "figure", "wall", "", "cpu", "aim");
    std::printf("records: %d, record length %d bytes, %d fields\n", records, DBF.Rlen(), DBF.fieldCount());
    row("open the table (OpenDatabase)", openMs, "ms", "");
    row("  + layout table (Formularaapne)", layoutMs - openMs, "ms", "");
    row("  + build the grid (formularsettoppLISTE)", buildMs - layoutMs, "ms", "");
    row("  + show and first paint", paintMs - buildMs, "ms", "");
    row("open to first painted grid", paintMs, "ms", "<= 300 ms", paintCpu);
    row("reading the rest in the background", loadMs, "ms", "");
    row("longest event-loop stall while reading", static_cast<double>(longestGapNs) / 1e6, "ms", "<= 50 ms");
    const char *names[3] = {"text (NAVN)", "number (BELOP)", "date (FODT)"};
    const char *aims[3] = {"<= 600 ms", "<= 200 ms", "<= 200 ms"};
    for (int i = 0; i < 3; ++i) {
        row((std::string("sort ascending by ") + names[i]).c_str(), ms[i][0], "ms", aims[i], cpu[i][0]);
        row((std::string("sort descending by ") + names[i]).c_str(), ms[i][1], "ms", "", cpu[i][1]);
        row((std::string("back to record order from ") + names[i]).c_str(), ms[i][2], "ms", "", cpu[i][2]);
    }
    row("peak memory above the empty window", static_cast<double>(peak - baseline) / 1048576.0, "MiB", "");
    row("  of which record bytes held", static_cast<double>(records) * DBF.Rlen() / 1048576.0, "MiB", "");
    row("peak memory per record", static_cast<double>(peak - baseline) / records, "B", "<= 300 B");
    layoutTable.close();
    return 0;
}
