#pragma once

#include <QString>

// A per-user lock standing for a named mutex: taken by the first instance
// and held for its run; the kernel lets it go when the process ends, however
// it ends. It lies beside the registry file, so that two starts sharing the
// user's registry meet it whatever their runtime folders are.
class TInstanceLock {
public:
    explicit TInstanceLock(const QString& name);
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    // False when another process of this user holds the lock. A lock that
    // cannot be made at all counts as taken by us, so the program still runs.
    bool AlreadyExists() const { return m_alreadyExists; }
    void Release();
    QString Path() const { return m_path; }

    // The holder leaves a short text in the lock file (where its service
    // listens), for processes whose environment points elsewhere.
    bool Publish(const QString& text);
    // What the lock's last holder published; empty when nothing readable is
    // there. The text is cleared when the lock is taken and let go, but a
    // holder that was killed leaves it behind: only IsHeld() tells whether
    // it is still meant.
    static QString Published(const QString& name);
    // Whether a process holds the lock now; asking never disturbs the holder
    // nor a process about to take it.
    static bool IsHeld(const QString& name);

private:
    QString m_path;
    int m_fd = -1;
    bool m_alreadyExists = false;
};
