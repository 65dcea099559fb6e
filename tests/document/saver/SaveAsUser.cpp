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

// Saves a new transfer form with a long title at PATH as USER, whose writes past LIMIT bytes end the program as a
// kill at the write would: "SaveAsUser USER LIMIT PATH". Started as root, it becomes the user before Qt starts a
// thread, so its own folder need not be open to that user. Prints the first line of the save's message, if any;
// exits with 0 when the document is left unmodified after a save and modified after a failed one.
int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const passwd* user = ::getpwnam(argv[1]);
    if (!user)
        return 2;
    const rlim_t limitBytes = std::strtoull(argv[2], nullptr, 10);
    const rlimit limit{limitBytes, limitBytes};
    std::signal(SIGXFSZ, SIG_DFL);
    // The groups go first, while the process still may change them.
    if (::setgroups(0, nullptr) != 0)
        return 2;
    if (::setgid(user->pw_gid) != 0)
        return 2;
    if (::setuid(user->pw_uid) != 0)
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
