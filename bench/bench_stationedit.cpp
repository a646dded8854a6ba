// Opening a full station list (1025 stations) in the station list editor, as
// "tb_open" does once the file dialog has returned: read, fill, count what a
// save would drop, title and fields. Prints the median of 20 runs.
#include "FullStationList.h"
#include "MedianTime.h"
#include "dialogs/frmStationEdit.h"
#include "platform/KeyedListView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("full.tlist");
    if (!Bench::writeStationFile(path))
        return 1;
    frmStationEdit& editor = frmStationEdit::instance();
    editor.show();
    const double open = Bench::medianMs([&] {
        editor.openFile(path);
        QCoreApplication::processEvents();
    });
    if (editor.lstvStations()->rowCount() != Bench::Stations) {
        std::fprintf(stderr, "expected %d rows, got %d\n", Bench::Stations,
                     editor.lstvStations()->rowCount());
        return 1;
    }
    std::printf("station list editor, open %d stations, median of %d runs: %.2f ms "
                "(target < 30 ms)\n",
                Bench::Stations, Bench::Runs, open);
    return 0;
}
