#pragma once
// The seven names the mouse keeps for its profiles, each on its strip with
// its number, where ui/SkinLayout places them (ProfileNameRows).
#include <array>
#include <string>

#include "ui/Canvas.h"
#include "ui/PaintSnapshot.h"

// Row `row`'s name: the one the mouse reports for profiles 1 to 5, or
// "profile N" where the mouse has none.
std::u16string ProfileRowName(int row, const std::array<std::u16string, 5>& reportedNames);

void PaintProfileNames(const PaintSnapshot& snapshot, Canvas& canvas);
