#pragma once
#include <cstddef>

// How an image's alpha channel shapes what it is drawn on or cut from.
enum class SkinOutline {
  Corners,     // rounded or round: all four corner pixels fully transparent
  TopCorners,  // a tab: its two top corners transparent, its foot square
  Opaque,      // stretched by its painter: no transparent pixel at all
};

// One PNG resource of the skin: id, exact pixel size and outline.
struct SkinImageEntry {
  int id;
  int width;
  int height;
  SkinOutline outline;
  const char* use;
};

// Every image the skin loads, plus the badges and markers of buttons 11 and
// 12 on ids the resource table leaves free. Ids of one element are in its
// slot order.
inline constexpr SkinImageEntry kSkinImages[] = {
    {132, 802, 614, SkinOutline::Corners, "window background and outline"},
    {135, 160, 34, SkinOutline::Corners, "profile-name strip"},
    {182, 209, 340, SkinOutline::Corners, "mouse, button page"},
    {181, 165, 117, SkinOutline::Corners, "mouse, side view"},
    {161, 262, 253, SkinOutline::Corners, "mouse, DPI page"},
    {136, 100, 30, SkinOutline::Corners, "caption button"},
    {137, 100, 30, SkinOutline::Corners, "caption button"},
    {138, 100, 30, SkinOutline::Corners, "caption button"},
    {139, 100, 30, SkinOutline::Corners, "caption button"},
    {141, 31, 32, SkinOutline::Corners, "close button"},
    {142, 31, 32, SkinOutline::Corners, "close button"},
    {143, 31, 32, SkinOutline::Corners, "close button"},
    {149, 30, 32, SkinOutline::Corners, "minimise button"},
    {150, 30, 32, SkinOutline::Corners, "minimise button"},
    {151, 30, 32, SkinOutline::Corners, "minimise button"},
    {148, 30, 32, SkinOutline::Corners, "minimise button"},
    {207, 43, 57, SkinOutline::Corners, "tie check box"},
    {206, 43, 57, SkinOutline::Corners, "tie check box"},
    {152, 15, 15, SkinOutline::Corners, "drop-down arrow"},
    {153, 15, 15, SkinOutline::Corners, "drop-down arrow"},
    {154, 15, 15, SkinOutline::Corners, "drop-down arrow"},
    {178, 15, 15, SkinOutline::Corners, "drop-down arrow"},
    {204, 6, 24, SkinOutline::Opaque, "slider channel fill"},
    {205, 13, 32, SkinOutline::Opaque, "slider thumb"},
    {255, 167, 33, SkinOutline::TopCorners, "page tab"},
    {256, 167, 33, SkinOutline::TopCorners, "page tab"},
    {254, 166, 33, SkinOutline::TopCorners, "page tab"},
    {159, 42, 42, SkinOutline::Corners, "level button"},
    {158, 42, 42, SkinOutline::Corners, "level button"},
    {160, 42, 42, SkinOutline::Corners, "level button"},
    {157, 42, 42, SkinOutline::Corners, "level button"},
    {167, 42, 42, SkinOutline::Corners, "level button"},
    {168, 42, 42, SkinOutline::Corners, "level button"},
    {169, 42, 42, SkinOutline::Corners, "level button"},
    {166, 42, 42, SkinOutline::Corners, "level button"},
    {171, 42, 42, SkinOutline::Corners, "level button"},
    {172, 42, 42, SkinOutline::Corners, "level button"},
    {173, 42, 42, SkinOutline::Corners, "level button"},
    {170, 42, 42, SkinOutline::Corners, "level button"},
    {174, 42, 42, SkinOutline::Corners, "level button"},
    {175, 42, 42, SkinOutline::Corners, "level button"},
    {176, 42, 42, SkinOutline::Corners, "level button"},
    {177, 42, 42, SkinOutline::Corners, "level button"},
    {184, 18, 20, SkinOutline::Corners, "button badge"},
    {194, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {185, 18, 20, SkinOutline::Corners, "button badge"},
    {195, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {187, 18, 20, SkinOutline::Corners, "button badge"},
    {197, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {188, 18, 20, SkinOutline::Corners, "button badge"},
    {198, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {186, 18, 20, SkinOutline::Corners, "button badge"},
    {196, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {189, 18, 20, SkinOutline::Corners, "button badge"},
    {199, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {190, 18, 20, SkinOutline::Corners, "button badge"},
    {200, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {191, 18, 20, SkinOutline::Corners, "button badge"},
    {201, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {192, 18, 20, SkinOutline::Corners, "button badge"},
    {202, 18, 20, SkinOutline::Corners, "button badge, highlighted"},
    {183, 18, 19, SkinOutline::Corners, "button badge"},
    {193, 18, 19, SkinOutline::Corners, "button badge, highlighted"},
    {229, 18, 20, SkinOutline::Corners, "button badge 11, 12 (spare ids)"},
    {230, 18, 20, SkinOutline::Corners, "button badge 11, 12 (spare ids)"},
    {231, 18, 20, SkinOutline::Corners, "button badge 11, 12, highlighted (spare ids)"},
    {232, 18, 20, SkinOutline::Corners, "button badge 11, 12, highlighted (spare ids)"},
    {130, 22, 22, SkinOutline::Corners, "row marker"},
    {131, 22, 23, SkinOutline::Corners, "row marker"},
    {145, 22, 22, SkinOutline::Corners, "row marker"},
    {146, 22, 22, SkinOutline::Corners, "row marker"},
    {144, 22, 22, SkinOutline::Corners, "row marker"},
    {147, 22, 22, SkinOutline::Corners, "row marker"},
    {156, 22, 22, SkinOutline::Corners, "row marker"},
    {179, 22, 22, SkinOutline::Corners, "row marker"},
    {180, 22, 23, SkinOutline::Corners, "row marker"},
    {129, 22, 22, SkinOutline::Corners, "row marker"},
    {233, 22, 22, SkinOutline::Corners, "row marker 11 (spare id)"},
    {234, 22, 22, SkinOutline::Corners, "row marker 12 (spare id)"},
    {210, 24, 24, SkinOutline::Corners, "macro step icon"},
    {211, 24, 24, SkinOutline::Corners, "macro step icon"},
    {212, 24, 24, SkinOutline::Corners, "macro step icon"},
    {214, 24, 24, SkinOutline::Corners, "macro step icon"},
    {215, 24, 24, SkinOutline::Corners, "macro step icon"},
    {220, 24, 24, SkinOutline::Corners, "macro step icon"},
    {218, 24, 24, SkinOutline::Corners, "macro step icon"},
    {219, 24, 24, SkinOutline::Corners, "macro step icon"},
    {227, 24, 24, SkinOutline::Corners, "macro step icon"},
    {216, 24, 24, SkinOutline::Corners, "macro step icon"},
    {237, 24, 24, SkinOutline::Corners, "folder button"},
    {238, 24, 24, SkinOutline::Corners, "folder button"},
    {239, 24, 24, SkinOutline::Corners, "folder button"},
    {163, 95, 96, SkinOutline::Corners, "level picture"},
    {164, 95, 96, SkinOutline::Corners, "level picture"},
    {165, 95, 96, SkinOutline::Corners, "level picture"},
    {162, 95, 96, SkinOutline::Corners, "level picture"},
    {221, 16, 16, SkinOutline::Corners, "two-state box"},
    {222, 16, 16, SkinOutline::Corners, "two-state box"},
    {240, 24, 24, SkinOutline::Corners, "add and remove"},
    {241, 24, 24, SkinOutline::Corners, "add and remove"},
    {242, 24, 24, SkinOutline::Corners, "add and remove"},
    {243, 24, 24, SkinOutline::Corners, "add and remove"},
    {208, 32, 32, SkinOutline::Corners, "mouse attached, none attached"},
    {209, 32, 32, SkinOutline::Corners, "mouse attached, none attached"},
};

inline constexpr std::size_t kSkinImageCount = sizeof(kSkinImages) / sizeof(kSkinImages[0]);

// The entry of an id, or null when the skin has no such image.
inline const SkinImageEntry* FindSkinImage(int id) {
  for (const SkinImageEntry& entry : kSkinImages) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}
