#pragma once

#include "helpers/ProgramRun.h"
#include "platform/Color.h"

#include <QTemporaryDir>

#include <sys/types.h>

// One user's desktop for the program's processes: config, data and private
// runtime folders in a temporary folder, set in this process's environment
// for the children to inherit, and an X server of its own.
class UserSession {
public:
    // Fails the calling test when a tool is missing or the screen does not start.
    void Start(const QStringList& tools = {});
    // Ends the program that serves the session, if one does.
    ~UserSession();
    QString Path(const QString& name) const { return m_root.filePath(name); }
    void WriteDocument(const QString& name, TColor formColour);
    // wplatomat-shell on the session's screen, from the session's folder.
    void StartShell(ProgramRun& run, const QStringList& arguments, const ProgramRun::Changes& environment = {});
    // Its exit code (-1 when it did not end on its own within the time) and output.
    std::pair<int, QString> Shell(const QStringList& arguments, const ProgramRun::Changes& environment = {},
                                  std::chrono::seconds timeout = std::chrono::seconds(90));
    // Whether the screen shows a form in the colour within a while.
    bool Shows(TColor formColour);
    // The program serving the session's socket, by the kernel's peer credentials; 0 when none answers.
    static pid_t ServerPid();
    // The sockets in the session's service folder: the server's, the conversations it took and those waiting for it.
    static int Connections();

    PrivateDisplay display;

private:
    QTemporaryDir m_root;
};
