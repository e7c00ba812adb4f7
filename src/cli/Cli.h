#pragma once

#include <QStringList>

#include <ostream>

namespace quillon {

// quillon-cli: `describe` and `generate`. Writes UTF-8 to out and err; returns the exit
// code (0 done, 1 input error, 2 usage error).
int runCli(const QStringList& arguments, std::ostream& out, std::ostream& err);

} // namespace quillon
