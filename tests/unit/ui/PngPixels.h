#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The pixels of a committed skin PNG, so tests can look at real alpha values.
struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // straight RGBA, top row first

  std::uint8_t Alpha(int x, int y) const { return rgba[Offset(x, y) + 3]; }
  std::uint32_t Rgba(int x, int y) const {
    const std::size_t i = Offset(x, y);
    return (std::uint32_t(rgba[i]) << 24) | (std::uint32_t(rgba[i + 1]) << 16) |
           (std::uint32_t(rgba[i + 2]) << 8) | rgba[i + 3];
  }

 private:
  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  }
};

// Reads the file into `out`; false for a missing or damaged file.
bool ReadPng(const std::string& path, PngPixels& out);
