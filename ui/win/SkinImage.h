#pragma once
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// A skin image decoded from a PNG resource. GDI+ may read the stream behind
// a bitmap for as long as the bitmap lives, so the copy of the resource bytes
// and the stream over it are owned here and released only after the bitmap.
class SkinImage {
 public:
  SkinImage() = default;
  SkinImage(SkinImage&& other) noexcept;
  SkinImage& operator=(SkinImage&& other) noexcept;
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;
  ~SkinImage();

  // The bitmap, or null when the resource was missing or not an image.
  Gdiplus::Bitmap* Get() const { return bitmap; }
  explicit operator bool() const { return bitmap != nullptr; }

 private:
  friend SkinImage LoadSkinImage(int id, const wchar_t* type, HMODULE module);
  void Release();

  Gdiplus::Bitmap* bitmap = nullptr;
  IStream* stream = nullptr;
  HGLOBAL memory = nullptr;
};

// Decodes resource `id` of `type` (every skin image is "PNG") from `module`,
// the program itself when null. A missing, empty or undecodable resource
// gives an empty image; nothing is shown to the user. GDI+ must be running.
SkinImage LoadSkinImage(int id, const wchar_t* type = L"PNG", HMODULE module = nullptr);
