// The headless command line: `vexelwork dump` and `vexelwork export`.
#pragma once

#include <QStringList>

namespace vx {

// Exit statuses of the headless commands.
enum CliStatus { kCliOk = 0, kCliFailed = 1, kCliPartial = 2 };

// True when `args` (without the program name) start with a headless
// subcommand.
bool IsHeadlessCommand(const QStringList& args);

// Runs a headless subcommand and returns the process exit status. Output
// goes to stdout, messages to stderr.
int RunHeadless(const QStringList& arguments);

}  // namespace vx
