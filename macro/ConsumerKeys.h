#pragma once
// Consumer keys (HID consumer usage page): their names for the step texts and
// the Windows virtual-key codes the recorder turns into them.
#include <cstdint>
#include <string>

// "Unknown" for a usage without a name.
std::u16string ConsumerName(std::uint32_t usage);

// The consumer usage of a media or application key given by its virtual-key
// code; 0 when the key is not a consumer key.
std::uint16_t ConsumerFromKeyCode(std::uint32_t keyCode);
