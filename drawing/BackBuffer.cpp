#include "drawing/BackBuffer.h"

#include <memory>
#include <new>

namespace {

std::unique_ptr<TBitmap>& BackBufferSlot()
{
    static std::unique_ptr<TBitmap> bitmap;
    return bitmap;
}

} // namespace

TBitmap* BackBuffer()
{
    return BackBufferSlot().get();
}

void InitializeBackBuffer()
{
    // Without the bitmap the previews stay empty; the program still runs.
    try {
        if (!BackBufferSlot())
            BackBufferSlot() = std::make_unique<TBitmap>();
    } catch (const std::bad_alloc&) {
    }
}

void FinalizeBackBuffer()
{
    BackBufferSlot().reset();
}
