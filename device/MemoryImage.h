#pragma once
// The mouse's 8192-byte memory: byte writes, staged writes of up to 32 bytes,
// whole-image transfers and the macro directory entries at its start.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "device/HidLink.h"

namespace device {

inline constexpr int kMemorySize = 8192;
inline constexpr int kReadChunk = 7;
inline constexpr int kPageSize = 32;
inline constexpr int kDirectoryEntries = 64;
inline constexpr int kDirectoryEntrySize = 32;
inline constexpr int kDirectoryNameChars = 14;

using MemoryImage = std::array<std::uint8_t, kMemorySize>;
// Told the fraction done (0.0 to 1.0) after each request or page.
using Progress = std::function<void(double)>;

// Group 2 sub-commands.
inline constexpr std::uint8_t kMemRead7 = 0x00;
inline constexpr std::uint8_t kMemWriteByte = 0x01;
inline constexpr std::uint8_t kMemWriteTwo = 0x02;
inline constexpr std::uint8_t kMemCommit = 0x04;
inline constexpr std::uint8_t kMemCommitPage = 0x0A;
// Staging requests for bytes 0-5, 6-11, 12-17, 18-23, 24-29 and 30-31.
inline constexpr std::array<std::uint8_t, 6> kMemStage = {0x03, 0x05, 0x06, 0x07, 0x08, 0x09};

// Each call below addresses the mouse listed under `path` and returns 1 or 0;
// it stops at the first failed exchange and sends nothing further. Ranges
// outside the memory are refused before anything is sent.
int ReadMemory7(HidLink& link, const DevicePath& path, int addr, std::uint8_t* seven);
int WriteByte(HidLink& link, const DevicePath& path, int addr, std::uint8_t value);
int WriteTwo(HidLink& link, const DevicePath& path, int addr, std::uint8_t first,
             std::uint8_t second);
// n = 0 sends nothing and returns 0; 1 and 2 use the single writes; 3 to 32
// are staged and committed.
int WriteBytes(HidLink& link, const DevicePath& path, int addr, const std::uint8_t* data, int n);
int WritePage32(HidLink& link, const DevicePath& path, int addr, const std::uint8_t* data);

// Reads the whole memory, 7 bytes per request; a failed request ends the read
// and leaves the rest of `image` as it was.
int ReadImage(HidLink& link, const DevicePath& path, MemoryImage& image,
              const Progress& progress = nullptr);
// Writes the first `size` bytes (at most the memory size) page by page; a
// short last page is padded with zeros.
int WriteImage(HidLink& link, const DevicePath& path, const std::uint8_t* data, int size,
               const Progress& progress = nullptr);

// Writes directory entry `index`. A start word of 0xFFFF leaves name
// characters 1 to 12 as they were (how an entry is cleared); a name is cut
// after 14 characters.
int WriteDirectoryEntry(HidLink& link, const DevicePath& path, int index, std::uint16_t startWord,
                        std::uint16_t secondWord, const std::u16string& name);

}  // namespace device
