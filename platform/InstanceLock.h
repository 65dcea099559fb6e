#pragma once

#include <QString>

// A per-user lock standing for a named mutex: taken by the first instance
// and held for its run; the kernel lets it go when the process ends, however
// it ends.
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

private:
    QString m_path;
    int m_fd = -1;
    bool m_alreadyExists = false;
};
