#include "ui/win/SkinRegion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ui/RegionRects.h"

namespace {

// Some Windows versions refuse very long rectangle lists in one call, so the
// region is built in parts and joined.
constexpr std::size_t kRectsPerPart = 2000;

HRGN RegionFromRects(const RegionRect* rects, std::size_t count) {
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(count);
  header.nRgnSize = 0;
  header.rcBound = RECT{rects[0].left, rects[0].top, rects[0].right, rects[count - 1].bottom};
  RECT* out = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < count; ++i) {
    out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    header.rcBound.left = std::min<LONG>(header.rcBound.left, rects[i].left);
    header.rcBound.right = std::max<LONG>(header.rcBound.right, rects[i].right);
  }
  std::memcpy(buffer.data(), &header, sizeof(header));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), reinterpret_cast<RGNDATA*>(buffer.data()));
}

}  // namespace

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF keyColour, SIZE* size) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) return nullptr;
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  if (size != nullptr) *size = SIZE{width, height};

  // Top-down rows, so the first row read is the image's top row.
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  HDC screen = GetDC(nullptr);
  const int rows = pixels.empty() ? 0 : GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) return nullptr;

  const std::vector<RegionRect> rects = RegionRectsFromPixels(pixels.data(), width, height, keyColour);
  if (rects.empty()) return CreateRectRgn(0, 0, 0, 0);
  HRGN region = nullptr;
  for (std::size_t first = 0; first < rects.size(); first += kRectsPerPart) {
    const std::size_t count = std::min(kRectsPerPart, rects.size() - first);
    HRGN part = RegionFromRects(rects.data() + first, count);
    if (part == nullptr) {
      if (region != nullptr) DeleteObject(region);
      return nullptr;
    }
    if (region == nullptr) {
      region = part;
    } else {
      CombineRgn(region, region, part, RGN_OR);
      DeleteObject(part);
    }
  }
  return region;
}

HRGN RegionFromSkinImage(Gdiplus::Bitmap* image, SIZE* size) {
  if (image == nullptr) return nullptr;
  HBITMAP bitmap = nullptr;
  if (image->GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok || bitmap == nullptr) return nullptr;
  HRGN region = RegionFromBitmap(bitmap, 0, size);
  DeleteObject(bitmap);
  return region;
}
