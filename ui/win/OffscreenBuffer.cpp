#include "ui/win/OffscreenBuffer.h"

OffscreenBuffer::~OffscreenBuffer() { Release(); }

void OffscreenBuffer::Release() {
  if (dc != nullptr) {
    SelectObject(dc, previous);
    DeleteDC(dc);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  dc = nullptr;
  bitmap = nullptr;
  previous = nullptr;
  width = 0;
  height = 0;
}

bool OffscreenBuffer::Ensure(HDC reference, int wantedWidth, int wantedHeight) {
  if (wantedWidth <= 0 || wantedHeight <= 0) return false;
  if (dc != nullptr && wantedWidth <= width && wantedHeight <= height) return true;
  Release();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = wantedWidth;
  info.bmiHeader.biHeight = -wantedHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc = CreateCompatibleDC(reference);
  if (bitmap == nullptr || dc == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    if (bitmap != nullptr) DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    return false;
  }
  previous = SelectObject(dc, bitmap);
  width = wantedWidth;
  height = wantedHeight;
  return true;
}

bool OffscreenBuffer::CopyTo(HDC target, int copyWidth, int copyHeight) const {
  return dc != nullptr && BitBlt(target, 0, 0, copyWidth, copyHeight, dc, 0, 0, SRCCOPY) != FALSE;
}
