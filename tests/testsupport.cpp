#include "testsupport.h"

namespace skyraid::test {

QString builtProgram(const QString& name)
{
    return QStringLiteral(SKYRAID_BIN_DIR "/") + name;
}

} // namespace skyraid::test
