#pragma once

#include <cups/cups.h>

// The spooler's client library, loaded the first time a queue is asked
// about: a start that prints nothing never maps it and the many libraries it
// pulls in (TLS, Kerberos, service discovery). Where it cannot be loaded the
// entries are null and the program sees no queues.
struct TCupsLibrary {
    decltype(&::cupsGetDests2) GetDests2 = nullptr;
    decltype(&::cupsGetNamedDest) GetNamedDest = nullptr;
    decltype(&::cupsFreeDests) FreeDests = nullptr;
    decltype(&::cupsGetOption) GetOption = nullptr;
    decltype(&::cupsCopyDestInfo) CopyDestInfo = nullptr;
    decltype(&::cupsFindDestDefault) FindDestDefault = nullptr;
    decltype(&::cupsFreeDestInfo) FreeDestInfo = nullptr;
    decltype(&::ippGetValueTag) GetValueTag = nullptr;
    decltype(&::ippGetResolution) GetResolution = nullptr;

    bool Loaded() const { return GetResolution != nullptr; }
};

const TCupsLibrary& Cups();
