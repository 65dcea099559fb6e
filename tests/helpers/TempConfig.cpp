#include "TempConfig.h"

TempConfig::TempConfig()
    : m_old(qgetenv("XDG_CONFIG_HOME")), m_hadOld(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
}

TempConfig::~TempConfig()
{
    if (m_hadOld)
        qputenv("XDG_CONFIG_HOME", m_old);
    else
        qunsetenv("XDG_CONFIG_HOME");
}
