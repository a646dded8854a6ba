// Loading and filling a full station list (1025 stations) into the main list,
// set up as the main window does: two columns, sorted ascending, headers hidden.
// Prints the median of 20 runs, with two references from the same run: reading
// the file alone, and filling a bare QTreeWidget with sorting switched on.
#include "FullStationList.h"
#include "MedianTime.h"
#include "platform/KeyedListView.h"
#include "stations/view/modTLISTView.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using Bench::Stations;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("full.tlist");
    if (!Bench::writeStationFile(path))
        return 1;

    KeyedListView list;
    list.setColumns({QStringLiteral("Station name"), QStringLiteral("Status")});
    list.setSorted(0, Qt::AscendingOrder);
    list.setHeadersVisible(false);
    list.resize(400, 600);
    list.show();

    const double loadAndFill = Bench::medianMs([&] {
        TLIST_LoadFile(path);
        TLIST_FillStationListMain(list);
    });
    if (list.rowCount() != Stations) {
        std::fprintf(stderr, "expected %d rows, got %d\n", Stations, list.rowCount());
        return 1;
    }

    const double loadOnly = Bench::medianMs([&] { TLIST_LoadFile(path); });

    QTreeWidget bare;
    bare.setColumnCount(2);
    bare.setHeaderHidden(true);
    bare.setSortingEnabled(true);
    bare.sortByColumn(0, Qt::AscendingOrder);
    bare.resize(400, 600);
    bare.show();
    const double bareFill = Bench::medianMs([&] {
        bare.clear();
        for (const QString& entry : std::as_const(colStations)) {
            const StationListFormat::Station station = StationListFormat::parseEntry(entry);
            auto* item = new QTreeWidgetItem(QStringList{station.name, QString()});
            item->setData(0, Qt::UserRole, station.url);
            bare.addTopLevelItem(item);
        }
        QCoreApplication::processEvents(); // lets the delayed sort run
    });

    std::printf("station list, %d stations, median of %d runs:\n", Stations, Bench::Runs);
    std::printf("  load + fill KeyedListView (sorted, hidden headers): %.2f ms (target < 10 ms)\n",
                loadAndFill);
    std::printf("  reference: load only (read + parse):               %.2f ms (%.1fx)\n", loadOnly,
                loadAndFill / loadOnly);
    std::printf("  reference: bare QTreeWidget fill, sorting on:      %.2f ms (%.2fx)\n", bareFill,
                loadAndFill / bareFill);
    return 0;
}
