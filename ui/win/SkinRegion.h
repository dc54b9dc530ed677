#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// A window region made of every pixel of `bitmap` whose 32-bit value differs
// from `keyColour` (a colour reference, 0x00BBGGRR). Skin images come as
// 32-bit bitmaps made over transparent black with key 0, so the region keeps
// every pixel that is not fully transparent. Bitmaps of other depths are read
// as 32-bit with a zero top byte, so the key then matches their colour alone.
// Writes the bitmap's size into `size` when given. The caller owns the
// region; null when the bitmap cannot be read.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF keyColour, SIZE* size);

// The outline of a skin image: the image made into a 32-bit bitmap over
// transparent black, cut with key 0, so every pixel that is not fully
// transparent belongs to the region. Null for a null or unreadable image.
HRGN RegionFromSkinImage(Gdiplus::Bitmap* image, SIZE* size);
