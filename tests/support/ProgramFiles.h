// The settings file and station lists of a program folder, as the program
// writes them: Windows-1250 with CR LF. Header-only: the tests that use it link
// the common library, the support library does not.
#pragma once

#include "TestFolders.h"
#include "common/AnsiCodePage.h"

#include <QStringList>

namespace ProgramFiles {

// skytuner.ini holding the given "key=value" lines under [PLAYER].
inline bool writeSettings(const TemporaryProgramFolder& folder, const QStringList& playerLines)
{
    return TestFolders::writeBytes(
        folder.file(QStringLiteral("skytuner.ini")),
        AnsiCodePage::encode(QString(u"[PLAYER]\r\n" + playerLines.join(u"\r\n") + u"\r\n")));
}

// A station list of (name, address) rows; its path.
inline QString writeList(const TemporaryProgramFolder& folder, const QString& name,
                         const QList<QPair<QString, QString>>& stations)
{
    QString text;
    for (const auto& [station, url] : stations)
        text += QStringLiteral("[STATION:]%1|%2|0|16777215|0|1\r\n").arg(station, url);
    TestFolders::writeBytes(folder.file(name), AnsiCodePage::encode(QString(text + u"\r\n")));
    return folder.file(name);
}

} // namespace ProgramFiles
