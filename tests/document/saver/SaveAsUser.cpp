#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"

#include <QApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

// "SaveAsUser USER LIMIT PATH": saves a new transfer form with a long title at PATH as USER, whose writes past
// LIMIT bytes end the program as a kill at the write would. Started as root, it becomes the user before Qt starts
// a thread, so its own folder need not be open to that user. Prints the first line of a failed save's message;
// exits with 0 when the document is left unmodified after a save and modified after a failed one.
int main(int argc, char** argv)
{
    const passwd* user = argc == 4 ? ::getpwnam(argv[1]) : nullptr;
    if (!user)
        return 2;
    const rlim_t limitBytes = std::strtoull(argv[2], nullptr, 10);
    const rlimit limit{limitBytes, limitBytes};
    std::signal(SIGXFSZ, SIG_DFL);
    // The groups go first, while the process may still change them.
    if (::setgroups(0, nullptr) != 0 || ::setgid(user->pw_gid) != 0 || ::setuid(user->pw_uid) != 0)
        return 2;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TfrmBlank form(nullptr, bkTransfer);
    form.SetEditorValue(EditorTags::Tytul, QString(1500, u'n'));
    form.SetFileName(QFile::decodeName(argv[3]));
    try {
        form.Save();
        return form.Modified() ? 1 : 0;
    } catch (const Exception& e) {
        std::fputs(e.Message().section(u'\n', 0, 0).toUtf8().constData(), stdout);
        return form.Modified() ? 0 : 1;
    }
}
