// What the station list editor decides, without widgets: its state (the
// current station, whether the list differs from its file, the file), the
// window title, the rules for saving a station, the rows' change marks, the
// sorting by a column click, what follows the save question, and how much of
// an opened file a save would not keep.
//
// Rows are keyed by the address in lower case, so two addresses that differ
// only in letter case are one station. Row icons: 1 hidden, 2 shown, 3 hidden
// and changed, 4 shown and changed.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

class StationEditLogic
{
public:
    enum class SaveStation
    {
        Add,      // no station is current: a new row
        Change,   // the current row takes the fields
        Duplicate // refused: another row has the address
    };
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };
    enum class AfterQuestion
    {
        SaveAndStay, // run the save command, then end there
        Proceed,     // discard the changes and go on
        Stay         // end there, nothing changes
    };
    struct Sort
    {
        int column;
        bool descending;
    };
    // A file as opened: its text, unless it could not be read.
    struct OpenedFile
    {
        std::optional<QString> text; // empty optional: unreadable (or a folder)
        bool exists = false;
    };

    // Form load and "tb_new": a new list, nothing current, nothing changed.
    void reset();

    QString currentKey() const { return m_currentKey; }
    void setCurrentKey(const QString& key) { m_currentKey = key; }
    bool listChanged() const { return m_listChanged; }
    QString listFileName() const { return m_listFileName; }

    // "Editace [Nový]", "Editace [file]" or "Editace [file] *".
    QString title() const;

    static QString keyOf(QStringView address) { return address.toString().toLower(); }
    // A field's text as stored: "|" (the file's field separator) becomes "_",
    // line breaks and other control characters become spaces.
    static QString fieldText(QString text);

    // Whether saving the fields adds, changes or is refused; keyTaken tells
    // whether a row has the address's key.
    SaveStation saveStation(QStringView address, bool keyTaken) const;
    // After a station was saved or removed: nothing current, the list changed.
    void stationSaved();

    static int changedIcon(bool visible) { return visible ? 4 : 3; }
    static int clearedIcon(int icon) { return icon > 2 ? icon - 2 : icon; }
    static bool iconVisible(int icon) { return icon == 2 || icon == 4; }

    static AfterQuestion afterQuestion(Answer answer);

    // A click on column `clicked` (0-based) while the list is sorted by
    // `column` (-1: unsorted): the same column flips the order.
    static Sort afterColumnClick(int column, bool descending, int clicked);

    // Reads a file for opening; a missing file is an empty list.
    static OpenedFile readFile(const QString& path);
    // The non-empty lines of the text that are not among the kept stations:
    // what a save would drop.
    static int lostLines(QStringView text, int keptStations);

    // An opened file becomes the list's file, clean. lostLines > 0 marks it:
    // saving over it asks first.
    void opened(const QString& path, int lostLines);
    // Whether saving to path overwrites content the editor did not keep.
    bool overwriteNeedsConfirmation(const QString& path) const;
    // A successful save to path: its file, clean.
    void saved(const QString& path);

private:
    enum class Decoration
    {
        New,
        File,
        Changed
    };
    QString m_currentKey;
    bool m_listChanged = false;
    QString m_listFileName;
    QString m_lossyFile; // the opened file whose extra content a save would drop
    Decoration m_decoration = Decoration::New;
};
