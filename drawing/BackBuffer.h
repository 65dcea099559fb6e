#pragma once

#include "platform/Bitmap.h"

// The one off-screen bitmap all previews draw through. It holds no picture
// between uses: each user sizes it first. Null when the unit is not
// initialised, so users must check it.
TBitmap* BackBuffer();
void InitializeBackBuffer();
void FinalizeBackBuffer();
