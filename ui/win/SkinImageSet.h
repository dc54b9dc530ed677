#pragma once
#include <windows.h>

#include <vector>

#include "ui/win/SkinImage.h"

// Every image of the skin table, loaded once when the main window
// initialises and kept for the whole run. A missing image is simply absent:
// `Get` then returns null, which every painter skips.
class SkinImageSet {
 public:
  // Loads every id of kSkinImages from `module` (the program when null) and
  // returns how many loaded. GDI+ must be running.
  int LoadAll(HMODULE module = nullptr);

  // The image of `id`, or null when it is missing or was never loaded.
  Gdiplus::Bitmap* Get(int id) const;

  int LoadedCount() const { return loaded; }

 private:
  std::vector<SkinImage> images;  // in the order of kSkinImages
  int loaded = 0;
};
