// What the station list chooser decides and does, without widgets: the rows of
// a folder's station lists (listed on a worker thread and delivered in batches,
// so that a large folder on a slow disk never freezes the window), the sort
// rule of the column headers, and the picked file that OK loads.
#pragma once

#include <QFutureWatcher>
#include <QLocale>
#include <QObject>
#include <QString>

class StationFilesLogic : public QObject
{
    Q_OBJECT

public:
    // One station list file as the chooser shows it.
    struct Row
    {
        QString key;  // full path: the folder with a trailing separator + name
        QString name; // the file name
        QString size; // "1.500 kB"
        QString date; // "2008-06-07 09:05" (text order is time order)
    };

    explicit StationFilesLogic(QObject* parent = nullptr);
    ~StationFilesLogic() override;

    // "Seznamy stanice [" + folder + "]".
    static QString Caption(const QString& folder);
    // Bytes / 1000 with three decimals in the locale's notation, no grouping,
    // and " kB": 1500 bytes give "1.500 kB" ("1,500 kB" in Czech).
    static QString SizeText(qint64 bytes, const QLocale& locale = QLocale());
    // Local time as "yyyy-MM-dd hh:nn", 24-hour.
    static QString DateText(const QDateTime& modified);

    // Starts listing the normal, non-hidden files matching "*.tlist" (any letter
    // case) in the order the file system gives them, replacing a listing still
    // running. Emits Started, RowsFound per batch, then Finished; a folder that
    // cannot be read or a file vanishing ends the listing with the rows so far.
    void ReadDirectory(const QString& folder);
    // True until Finished: the last rows may still be on their way after the
    // worker thread is done.
    bool isListing() const { return m_listing; }

    // The sort after a click on a header: the sorted column flips its order,
    // another column is sorted keeping the order (ascending at the first click).
    struct Sort
    {
        int column = -1; // -1: not sorted
        Qt::SortOrder order = Qt::AscendingOrder;
    };
    static Sort ColumnClick(Sort current, int clicked);

    // Selection: any press on the list forgets the pick; a click on a row picks
    // its key. A folder change keeps it.
    void MouseDown() { m_selectedPath.clear(); }
    void ItemClick(const QString& key) { m_selectedPath = key; }
    QString SelectedPath() const { return m_selectedPath; }

Q_SIGNALS:
    void Started();
    void RowsFound(const QList<StationFilesLogic::Row>& rows);
    void Finished();

private:
    QFutureWatcher<Row> m_watcher;
    QString m_selectedPath;
    bool m_listing = false;
};
