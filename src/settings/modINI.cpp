#include "settings/modINI.h"

#include "common/Logging.h"
#include "common/NumberText.h"
#include "common/ProgramFolder.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"
#include "settings/IniText.h"

#include <QFileInfo>

namespace {

// Numbers in their plain decimal form; Booleans as the stored "1" or "0".
QString valueText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return QString::number(value.toLongLong());
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QString::number(value.toULongLong());
    case QMetaType::Float:
        return NumberText::fromSingle(value.toDouble());
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15).toUpper();
    default:
        return value.toString();
    }
}

} // namespace

QString INI_FilePath()
{
    return modGlobal::AddPathSlash(ProgramFolder::path()) + QStringLiteral("skytuner.ini");
}

QString INI_ReadValue(const QString& section, const QString& key)
{
    return INI_ValueIn(INI_ReadFile(), section, key);
}

QString INI_ReadFile()
{
    const QString path = INI_FilePath();
    if (!modGlobal::FileExists(path))
        return {};
    return clsFunctionLib().FNC_ReadFileText(path).value_or(QString());
}

QString INI_ValueIn(const QString& text, const QString& section, const QString& key)
{
    return INI_TrimNull(IniText::readValue(text, section, key));
}

QString INI_WriteValue(const QString& section, const QString& key, const QVariant& value)
{
    INI_TryWriteValue(section, key, value);
    return {};
}

bool INI_TryWriteValue(const QString& section, const QString& key, const QVariant& value)
{
    return INI_TryWriteValues(section, {{key, value}});
}

bool INI_TryWriteValues(const QString& section, const QList<QPair<QString, QVariant>>& values)
{
    const QString path = INI_FilePath();
    const clsFunctionLib fnc;
    QString current;
    if (QFileInfo(path).exists()) {
        // Something that cannot be read (a folder, no permission, far too large)
        // must not be replaced by a file holding only this one key.
        const std::optional<QString> text = fnc.FNC_ReadFileText(path);
        if (!text) {
            qCWarning(lcPlayer) << "settings file cannot be read, not written:" << path;
            return false;
        }
        current = *text;
    }
    std::optional<QString> updated = current;
    for (const auto& [key, value] : values) {
        updated = IniText::writeValue(*updated, section, key, valueText(value));
        if (!updated)
            return false;
    }
    updated->chop(2); // FNC_SaveDataContent ends the text with its own CR LF
    if (!fnc.FNC_SaveDataContent(*updated, path)) {
        qCWarning(lcPlayer) << "settings file not written:" << path;
        return false;
    }
    return true;
}

QString INI_TrimNull(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
