#include "PngPixels.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

bool ReadPng(const std::string& path, PngPixels& out) {
  int channels = 0;
  stbi_uc* pixels = stbi_load(path.c_str(), &out.width, &out.height, &channels, 4);
  if (pixels == nullptr) return false;
  out.rgba.assign(pixels, pixels + std::size_t(out.width) * std::size_t(out.height) * 4);
  stbi_image_free(pixels);
  return true;
}
