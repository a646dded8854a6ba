#include "stations/view/modTLISTView.h"

#include "common/Logging.h"
#include "common/clsFunctionLib.h"
#include "platform/KeyedListView.h"
#include "platform/WaitCursor.h"
#include "stations/StationListFormat.h"

#include <QLocale>
#include <QPointer>

namespace {

QPointer<KeyedListView>& mainStationList()
{
    static QPointer<KeyedListView> list;
    return list;
}

// Keeps the list from repainting and re-sorting while it is filled.
class FillScope
{
public:
    explicit FillScope(KeyedListView& list) : m_list(list) { m_list.beginUpdate(); }
    ~FillScope() { m_list.endUpdate(); }
    FillScope(const FillScope&) = delete;
    FillScope& operator=(const FillScope&) = delete;

private:
    KeyedListView& m_list;
};

} // namespace

void TLIST_SetMainStationList(KeyedListView* list)
{
    mainStationList() = list;
}

void TLIST_FillStationListMain()
{
    if (KeyedListView* list = mainStationList())
        TLIST_FillStationListMain(*list);
}

void TLIST_FillStationListMain(KeyedListView& list)
{
    const WaitCursor wait;
    const FillScope fill(list);
    list.removeAllRows();
    const QLocale locale;
    for (const QString& entry : std::as_const(colStations)) {
        const StationListFormat::Station station = StationListFormat::parseEntry(entry, locale);
        if (station.name.isEmpty() || station.url.isEmpty() || station.visible != 1)
            continue;
        const int row = list.addRow(station.url, station.name, 1);
        if (row < 0)
            continue; // an earlier station has this URL
        list.setSubItem(row, 1, QString());
        list.setRowBold(row, station.bold != 0);
        list.setRowForeColor(row, station.textColour);
    }
}

void TLIST_FillListViewEdit(const QStringList& coll, KeyedListView& listView)
{
    const WaitCursor wait;
    const FillScope fill(listView);
    listView.removeAllRows();
    const QLocale locale;
    for (const QString& entry : coll) {
        const StationListFormat::Station station = StationListFormat::parseEntry(entry, locale);
        if (station.name.isEmpty() || station.url.isEmpty())
            continue;
        const int row = listView.addRow(station.url.toLower(), station.name,
                                        StationListFormat::editorIcon(station.visible));
        if (row < 0)
            continue; // the URL differs from an earlier one at most in letter case
        listView.setSubItem(row, 1, station.url);
        listView.setRowBold(row, station.bold != 0);
        listView.setRowForeColor(row, station.textColour);
    }
}

bool TLIST_SaveFile(const QString& path, const KeyedListView& listView)
{
    if (path.isEmpty())
        return false;
    QString text;
    for (int row = 0; row < listView.rowCount(); ++row) {
        text += StationListFormat::stationLine(
            listView.rowText(row), listView.subItem(row, 1), listView.rowForeColor(row),
            listView.rowBold(row),
            StationListFormat::visibleFromEditorIcon(listView.rowSmallIcon(row)));
    }
    // Replaced atomically: a failed write leaves the old list as it was.
    if (!clsFunctionLib().FNC_SaveDataContent(text, path)) {
        qCWarning(lcStations) << "station list not written:" << path;
        return false;
    }
    return true;
}
