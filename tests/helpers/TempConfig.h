#pragma once

#include <QTemporaryDir>

// Points the per-user config folder (and with it the registry file and the data folder) at a fresh temporary folder
// for the life of the object.
class TempConfig {
public:
    TempConfig() { qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit()); }
    ~TempConfig() { m_hadOld ? qputenv("XDG_CONFIG_HOME", m_old) : qunsetenv("XDG_CONFIG_HOME"); }
    QString Path() const { return m_dir.path(); }

private:
    QByteArray m_old = qgetenv("XDG_CONFIG_HOME");
    bool m_hadOld = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QTemporaryDir m_dir;
};
