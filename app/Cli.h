// The headless command line: `vexelwork dump`, `vexelwork export` and
// `vexelwork publish`.
#pragma once

#include <QStringList>

namespace vx {

// Exit statuses of the headless commands.
enum CliStatus { kCliOk = 0, kCliFailed = 1, kCliPartial = 2 };

// True when `args` (without the program name) start with a headless
// subcommand.
bool IsHeadlessCommand(const QStringList& args);

// `vexelwork publish`: uploads the design and posts its form; kCliOk only
// when both succeeded.
int PublishDesign(const QString& file, const QString& category);

// Runs a headless subcommand and returns the process exit status. Output
// goes to stdout, messages to stderr. Exporting images needs a
// QGuiApplication (fonts); the other commands a QCoreApplication.
int RunHeadless(const QStringList& arguments);

// The whole program for a headless command: makes the application object
// the command needs (for image export a QGuiApplication, offscreen unless
// QT_QPA_PLATFORM says otherwise, so no display is needed) and runs it.
int RunHeadlessMain(int& argc, char** argv);

}  // namespace vx
