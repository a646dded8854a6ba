#include "dialogs/logic/StationEditLogic.h"

#include "common/clsFunctionLib.h"

#include <QFileInfo>

void StationEditLogic::reset()
{
    *this = StationEditLogic();
}

QString StationEditLogic::title() const
{
    const QString base = QStringLiteral("Editace");
    switch (m_decoration) {
    case Decoration::New:
        return base + QStringLiteral(" [Nový]");
    case Decoration::File:
        return base + QStringLiteral(" [") + m_listFileName + QStringLiteral("]");
    case Decoration::Changed:
        break;
    }
    return base + QStringLiteral(" [") + m_listFileName + QStringLiteral("] *");
}

QString StationEditLogic::fieldText(QString text)
{
    for (QChar& c : text) {
        if (c == u'|')
            c = u'_';
        else if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return text;
}

StationEditLogic::SaveStation StationEditLogic::saveStation(QStringView address,
                                                            bool keyTaken) const
{
    if (m_currentKey.isEmpty())
        return keyTaken ? SaveStation::Duplicate : SaveStation::Add;
    // The current row's own address, in any letter case, is not a duplicate.
    if (keyOf(address) == m_currentKey.toLower() || !keyTaken)
        return SaveStation::Change;
    return SaveStation::Duplicate;
}

void StationEditLogic::stationSaved()
{
    m_currentKey.clear();
    m_listChanged = true;
    m_decoration = Decoration::Changed;
}

StationEditLogic::AfterQuestion StationEditLogic::afterQuestion(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return AfterQuestion::SaveAndStay;
    case Answer::No:
        return AfterQuestion::Proceed;
    case Answer::Cancel:
        break;
    }
    return AfterQuestion::Stay;
}

StationEditLogic::Sort StationEditLogic::afterColumnClick(int column, bool descending, int clicked)
{
    return {clicked, clicked == column ? !descending : descending};
}

StationEditLogic::OpenedFile StationEditLogic::readFile(const QString& path)
{
    const clsFunctionLib fnc;
    OpenedFile file;
    file.exists = QFileInfo::exists(path);
    if (!file.exists)
        file.text = QString();
    else if (fnc.FNC_FileExist(path))
        file.text = fnc.FNC_ReadFileText(path);
    return file;
}

int StationEditLogic::lostLines(QStringView text, int keptStations)
{
    int lines = 0;
    for (QStringView line : text.tokenize(u'\n'))
        lines += line.trimmed().isEmpty() ? 0 : 1;
    return qMax(0, lines - keptStations);
}

void StationEditLogic::opened(const QString& path, int lostLines)
{
    m_listFileName = path;
    m_currentKey.clear();
    m_listChanged = false;
    m_decoration = Decoration::File;
    m_lossyFile = lostLines > 0 ? path : QString();
}

bool StationEditLogic::overwriteNeedsConfirmation(const QString& path) const
{
    return !m_lossyFile.isEmpty() && path == m_lossyFile;
}

void StationEditLogic::saved(const QString& path)
{
    if (path == m_lossyFile)
        m_lossyFile.clear(); // the file now holds just what the editor shows
    m_listFileName = path;
    m_currentKey.clear();
    m_listChanged = false;
    m_decoration = Decoration::File;
}
