#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// Points the per-user config folder (and with it the registry file and the
// data folder) at a fresh temporary folder for the life of the object.
class TempConfig {
public:
    TempConfig();
    ~TempConfig();
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    bool m_hadOld;
};
