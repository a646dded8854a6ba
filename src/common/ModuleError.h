// The station list module's error message convention.
#pragma once

#include <QString>

#include <functional>

namespace ModuleError {

// "Module: <module>.<operation>" CR "Error no.: <number>" CR "Error desc.: <description>".
QString text(const QString& module, const QString& operation, int number,
             const QString& description);

// Hands the text to the presenter (an OK-only message box with the application's
// title in the program), but only while modGlobal::ShowErrorsFlag is on. Always
// logged. Returns whether it was presented.
bool report(const QString& module, const QString& operation, int number,
            const QString& description);

// Who shows reported errors; the window layer installs message boxes. Without a
// presenter errors are only logged. Returns the previous one.
using Presenter = std::function<void(const QString& text)>;
Presenter setPresenter(Presenter presenter);

} // namespace ModuleError
