#include "controls/ControlError.h"

#include "common/Logging.h"

ControlError::ControlError(int number, const QString& description, const QString& source)
    : std::runtime_error(QString(source + QStringLiteral(": ") + description).toStdString()),
      m_number(number), m_description(description), m_source(source)
{}

void ControlError::raiseInvalidValue(const QString& source)
{
    throw ControlError(InvalidPropertyValue, QStringLiteral("Invalid property value"), source);
}

void ControlError::raiseOutOfBounds(const QString& source)
{
    throw ControlError(IndexOutOfBounds, QStringLiteral("Index Out Of Bounds"), source);
}

void ControlError::logEscaped(const ControlError& error)
{
    qCWarning(lcControls).noquote() << "error" << error.number() << error.description() << "from"
                                    << error.source() << "in an event handler";
}
