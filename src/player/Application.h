// The program's start: the application object, translations, the main window.
#pragma once

namespace Application {

// Runs the program until the main window closes; returns the exit code.
int run(int argc, char* argv[]);

// Loads Qt's own Czech translations so standard buttons and dialogs speak Czech.
void installTranslations();

} // namespace Application
