// The ORX conversion dialog's run without a window: which files of the program
// folder are converted, in which order and to which names, the progress bar's
// numbers, and which sources are deleted at the end.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class ConvertFileLogic
{
public:
    // Alphabetical without regard to letter case (names differing only in case
    // in code point order, so the order is always the same).
    static QStringList orderedNames(QStringList names);

    // The station list's name: every "orx", in any letter case, becomes "tlist"
    // (Moje.ORX gives Moje.tlist, orxradio.orx gives tlistradio.tlist).
    static QString targetName(const QString& sourceName);

    explicit ConvertFileLogic(const QString& folder);

    // Counts the ORX files: the bar's maximum, its value 0.
    void begin();
    // The ORX files' names, in order.
    QStringList sourceNames() const;
    // Converts one file and advances the bar, never past its maximum (files may
    // appear after the count). True when the station list was written.
    bool convert(const QString& sourceName);
    // Deletes the sources of the successful conversions, once the run is over.
    void finish();

    // begin, convert every file in order, finish; progress() after the count
    // and after each file.
    void run(const std::function<void()>& progress = {});

    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    // Full paths of the sources converted so far.
    QStringList converted() const { return m_converted; }

private:
    QString m_folder; // with a trailing separator
    int m_maximum = 0;
    int m_value = 0;
    QStringList m_converted;
    QSet<QString> m_targets; // written in this run
};
