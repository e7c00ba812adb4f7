#include "Cli.h"

namespace quillon {

int runCli(const QStringList&, std::ostream&, std::ostream& err)
{
    err << "not implemented\n";
    return 2;
}

} // namespace quillon
