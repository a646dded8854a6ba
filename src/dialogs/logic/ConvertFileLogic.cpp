#include "dialogs/logic/ConvertFileLogic.h"

#include "common/Logging.h"
#include "common/clsFunctionLib.h"
#include "stations/modTLIST.h"

#include <QFile>

#include <algorithm>

QStringList ConvertFileLogic::orderedNames(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString ConvertFileLogic::targetName(const QString& sourceName)
{
    return QString(sourceName)
        .replace(QLatin1String("orx"), QLatin1String("tlist"), Qt::CaseInsensitive);
}

ConvertFileLogic::ConvertFileLogic(const QString& folder)
    : m_folder(clsFunctionLib().FNC_AddPathSlashes(folder))
{}

void ConvertFileLogic::begin()
{
    m_maximum = TLIST_SearchORX(m_folder);
    m_value = 0;
}

QStringList ConvertFileLogic::sourceNames() const
{
    return orderedNames(TLIST_ORXFileNames(m_folder));
}

bool ConvertFileLogic::convert(const QString& sourceName)
{
    // Two sources of one target ("a.orx" and "a.ORX") would have the second's
    // list replace the first's, or the first's the second's at the next start:
    // the later one gets a numbered name ("a (2).tlist").
    const QString named = targetName(sourceName);
    const QString stem = named.endsWith(QLatin1String(".tlist")) ? named.chopped(6) : named;
    QString target = named;
    for (int n = 2; m_targets.contains(target); ++n)
        target = stem + QStringLiteral(" (%1).tlist").arg(n);
    m_targets << target;
    const bool done = TLIST_ConvertORX(m_folder + sourceName, m_folder + target);
    if (done)
        m_converted << m_folder + sourceName;
    if (m_maximum > m_value)
        ++m_value;
    return done;
}

void ConvertFileLogic::finish()
{
    for (const QString& source : std::as_const(m_converted))
        if (!QFile::remove(source))
            qCWarning(lcDialogs) << "could not delete the converted" << source;
}

void ConvertFileLogic::run(const std::function<void()>& progress)
{
    begin();
    if (progress)
        progress();
    for (const QString& name : sourceNames()) {
        convert(name);
        if (progress)
            progress();
    }
    finish();
}
