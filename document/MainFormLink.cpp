#include "document/MainFormLink.h"

namespace {

TMainFormLink*& MainFormSlot()
{
    static TMainFormLink* link = nullptr;
    return link;
}

} // namespace

TMainFormLink* MainFormLink()
{
    return MainFormSlot();
}

void SetMainFormLink(TMainFormLink* link)
{
    MainFormSlot() = link;
}
