// The run-time error a control raises to the caller of a property setter. The
// control is left unchanged when it is thrown.
#pragma once

#include <QString>

#include <stdexcept>

class ControlError : public std::runtime_error
{
public:
    enum Number
    {
        InvalidPropertyValue = 380,
        IndexOutOfBounds = 514,
    };

    ControlError(int number, const QString& description, const QString& source);

    int number() const { return m_number; }
    QString description() const { return m_description; }
    QString source() const { return m_source; }

    // Error 380, "Invalid property value", from e.g. "ucSlider.Value".
    [[noreturn]] static void raiseInvalidValue(const QString& source);
    // Error 514, "Index Out Of Bounds", from e.g. "Container3D.CtrlEffect".
    [[noreturn]] static void raiseOutOfBounds(const QString& source);

    // Runs one step of a control's own event handling and returns its result.
    // A ControlError that a host's event handler lets out ends the step here
    // and is logged as a warning under skytuner.controls; the step then counts
    // as handled. Qt's event loop cannot carry exceptions: one escaping into it
    // would end the program.
    template <typename Step> static bool contain(Step&& step)
    {
        try {
            return step();
        } catch (const ControlError& error) {
            logEscaped(error);
            return true;
        }
    }

private:
    static void logEscaped(const ControlError& error);

    int m_number;
    QString m_description;
    QString m_source;
};
