#pragma once
// The sensor firmware listing shown at start-up when its text file exists: one
// hex byte per line of the file, laid out as data lines of sixteen bytes.
#include <filesystem>
#include <string>

namespace device {

inline constexpr char kSensorListingFile[] = "r:\\adns9500_srom_8E.txt";

// Takes the first two characters of each line as one hex byte. A line that
// does not start with two hex digits is passed over.
std::u16string FormatSensorListing(const std::string& text);

// Reads `file` whole and formats it; false when it cannot be read.
bool ReadSensorListing(const std::filesystem::path& file, std::u16string& listing);

}  // namespace device
