// Opening an address with the desktop's handlers (ShellExecute "open" on Windows).
#pragma once

#include <QString>

namespace ShellOpen {

// "mailto:" addresses go to the mail handler, any other non-empty address to the
// browser; an empty address does nothing. Returns whether a handler took it;
// failures are otherwise silent.
bool openAddress(const QString& address);

} // namespace ShellOpen
