#include "ui/win/SkinImageSet.h"

#include "ui/SkinImageTable.h"

int SkinImageSet::LoadAll(HMODULE module) {
  images.clear();
  loaded = 0;
  images.reserve(kSkinImageCount);
  for (const SkinImageEntry& entry : kSkinImages) {
    images.push_back(LoadSkinImage(entry.id, L"PNG", module));
    if (images.back()) ++loaded;
  }
  return loaded;
}

Gdiplus::Bitmap* SkinImageSet::Get(int id) const {
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (kSkinImages[i].id == id) return images[i].Get();
  }
  return nullptr;
}
