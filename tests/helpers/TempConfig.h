#pragma once

#include <QTemporaryDir>

// The per-user config folder (the registry file, the data folder) in a fresh temporary folder while the object lives.
class TempConfig {
public:
    TempConfig() { qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit()); }
    ~TempConfig()
    {
        if (m_hadOld)
            qputenv("XDG_CONFIG_HOME", m_old);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString Path() const { return m_dir.path(); }

private:
    QByteArray m_old = qgetenv("XDG_CONFIG_HOME");
    bool m_hadOld = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    QTemporaryDir m_dir;
};
