#pragma once

#include <QStringList>
#include <memory>

namespace veltra {

class TForm1;

// Answers --help, --help-all and --version, and a command line it cannot
// understand, on the terminal and ends the program with the usual exit code
// (0, or 1 for an unknown option), before the application object exists:
// that one needs a display, these answers do not.
void AnswerCommandLine(int argc, char** argv);

// What every window shares, set once the application object exists and
// before the first window: the application's name (the error report's
// caption), version and icon, the desktop entry it belongs to, Qt's own
// texts in the user's language, the fixed light look and Wine's Tahoma
// (with a note on standard error when it is missing).
void SetUpApplication();

// Qt's own texts (file dialog, message box buttons, command-line errors) in
// Polish, the language of the program's own texts, whatever the locale.
// False when the translation is not installed.
bool LoadQtTranslations();

// Reads the command line (--help and --version answer and end the program),
// shows the main window and, when logs are named, starts a report over them
// once the event loop runs, as if they had been chosen in the dialog. When
// the user's window is open already, hands the logs to it instead and
// returns nullptr: this program then ends.
std::unique_ptr<TForm1> StartMainWindow(const QStringList& arguments);

}  // namespace veltra
