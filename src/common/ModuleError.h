// The station list module's error message convention.
#pragma once

#include <QString>

namespace ModuleError {

// "Module: <module>.<operation>" CR "Error no.: <number>" CR "Error desc.: <description>".
QString text(const QString& module, const QString& operation, int number,
             const QString& description);

// Shows the text in an OK-only message box with the application's title, but only
// while modGlobal::ShowErrorsFlag is on. Returns whether a box was shown.
bool report(const QString& module, const QString& operation, int number,
            const QString& description);

} // namespace ModuleError
