#include "ui/win/SkinImage.h"

#include <cstring>
#include <utility>

SkinImage::SkinImage(SkinImage&& other) noexcept
    : bitmap(std::exchange(other.bitmap, nullptr)),
      stream(std::exchange(other.stream, nullptr)),
      memory(std::exchange(other.memory, nullptr)) {}

SkinImage& SkinImage::operator=(SkinImage&& other) noexcept {
  if (this != &other) {
    Release();
    bitmap = std::exchange(other.bitmap, nullptr);
    stream = std::exchange(other.stream, nullptr);
    memory = std::exchange(other.memory, nullptr);
  }
  return *this;
}

SkinImage::~SkinImage() { Release(); }

void SkinImage::Release() {
  delete bitmap;
  bitmap = nullptr;
  if (stream != nullptr) stream->Release();
  stream = nullptr;
  if (memory != nullptr) GlobalFree(memory);
  memory = nullptr;
}

SkinImage LoadSkinImage(int id, const wchar_t* type, HMODULE module) {
  SkinImage image;
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return image;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return image;

  // A private movable copy: the stream needs an HGLOBAL, and resource memory is read-only.
  image.memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (image.memory == nullptr) return image;
  void* copy = GlobalLock(image.memory);
  if (copy == nullptr) {
    image.Release();
    return image;
  }
  std::memcpy(copy, bytes, size);
  GlobalUnlock(image.memory);

  if (CreateStreamOnHGlobal(image.memory, FALSE, &image.stream) != S_OK) {
    image.Release();
    return image;
  }
  image.bitmap = Gdiplus::Bitmap::FromStream(image.stream, FALSE);
  if (image.bitmap == nullptr || image.bitmap->GetLastStatus() != Gdiplus::Ok) image.Release();
  return image;
}
