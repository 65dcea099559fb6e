#pragma once

#include <QString>

// The session's runtime folder, else one of our own in the user's cache
// folder; never a shared temporary folder. Empty when neither is private.
QString PrivateRuntimeFolder();

// The named folder inside the private runtime folder, made with mode 0700
// when missing; empty when it is not, or cannot be made, private.
QString PrivateSubfolder(const QString& name);

// Makes the folder and every missing folder above it with mode 0700, whatever
// the umask; folders already there stay as they are. Whether the folder is there.
bool MakePrivateFolders(const QString& path);

// Whether the folder exists, is ours (not a link) and no one else may enter it.
bool IsPrivateFolder(const QString& path);
