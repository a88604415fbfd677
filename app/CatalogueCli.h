// The catalogue commands of the headless command line:
//   vexelwork catalogue dump FILE.cat
//   vexelwork catalogue rewrite IN.cat OUT.cat
#pragma once

#include <QStringList>

namespace vx {

// Runs `catalogue ...`; `pos` are the positional arguments from
// "catalogue" on. Returns the exit status (CliStatus).
int RunCatalogueCommand(const QStringList& pos);

}  // namespace vx
