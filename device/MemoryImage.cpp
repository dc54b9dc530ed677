#include "device/MemoryImage.h"

#include <algorithm>

#include "device/PathSession.h"

namespace device {
namespace {

bool RangeOk(int addr, int n) { return addr >= 0 && n >= 0 && addr + n <= kMemorySize; }

FeatureReport AddressedRequest(std::uint8_t sub, int addr) {
  FeatureReport request = MakeRequest(kGroupMemory, sub, kTrailer);
  request[3] = static_cast<std::uint8_t>(addr % 256);
  request[4] = static_cast<std::uint8_t>(addr / 256);
  return request;
}

int SendWriteByte(PathSession& session, int addr, std::uint8_t value) {
  FeatureReport request = AddressedRequest(kMemWriteByte, addr);
  request[6] = value;
  return session.Exchange(request, 1);
}

int SendWriteTwo(PathSession& session, int addr, std::uint8_t first, std::uint8_t second) {
  FeatureReport request = AddressedRequest(kMemWriteTwo, addr);
  request[6] = first;
  request[7] = second;
  return session.Exchange(request, 1);
}

// Stages `chunks` staging requests from a 32-byte page; the request for bytes
// 30 and 31 settles for `lastSettleMs`.
int Stage(PathSession& session, const std::array<std::uint8_t, kPageSize>& page, int chunks,
          int lastSettleMs) {
  for (int c = 0; c < chunks; ++c) {
    const bool last = c == 5;
    FeatureReport request =
        MakeRequest(kGroupMemory, kMemStage[static_cast<std::size_t>(c)], last ? kTrailer : 0);
    const int count = last ? 2 : 6;
    for (int i = 0; i < count; ++i)
      request[static_cast<std::size_t>(3 + i)] = page[static_cast<std::size_t>(6 * c + i)];
    if (!session.Exchange(request, last ? lastSettleMs : 1)) return 0;
  }
  return 1;
}

int CommitSettleMs(int n) {
  if (n > 30) return 10;
  if (n > 24) return 9;
  if (n > 18) return 6;
  if (n > 12) return 3;
  return 1;
}

int StagedWrite(PathSession& session, int addr, const std::uint8_t* data, int n) {
  std::array<std::uint8_t, kPageSize> page{};
  std::copy(data, data + n, page.begin());
  int chunks = 1;
  for (int above : {6, 12, 18, 24, 30}) {
    if (n > above) ++chunks;
  }
  if (!Stage(session, page, chunks, 1)) return 0;
  FeatureReport commit = AddressedRequest(kMemCommit, addr);
  commit[6] = static_cast<std::uint8_t>(n);
  return session.Exchange(commit, CommitSettleMs(n));
}

int SendBytes(PathSession& session, int addr, const std::uint8_t* data, int n) {
  if (n == 1) return SendWriteByte(session, addr, data[0]);
  if (n == 2) {
    const int ok = SendWriteTwo(session, addr, data[0], data[1]);
    session.Pause(1);
    return ok;
  }
  return StagedWrite(session, addr, data, n);
}

int SendPage(PathSession& session, int addr, const std::array<std::uint8_t, kPageSize>& page) {
  if (!Stage(session, page, 6, 0)) return 0;
  FeatureReport commit = AddressedRequest(kMemCommitPage, addr);
  return session.Exchange(commit, 5);
}

}  // namespace

int ReadMemory7(HidLink& link, const DevicePath& path, int addr, std::uint8_t* seven) {
  if (!RangeOk(addr, 1) || seven == nullptr) return 0;
  PathSession session(link, path);
  FeatureReport request = AddressedRequest(kMemRead7, addr);
  if (!session.Exchange(request, 0)) return 0;
  std::copy(request.begin() + 2, request.end(), seven);
  return 1;
}

int WriteByte(HidLink& link, const DevicePath& path, int addr, std::uint8_t value) {
  if (!RangeOk(addr, 1)) return 0;
  PathSession session(link, path);
  return SendWriteByte(session, addr, value);
}

int WriteTwo(HidLink& link, const DevicePath& path, int addr, std::uint8_t first,
             std::uint8_t second) {
  if (!RangeOk(addr, 2)) return 0;
  PathSession session(link, path);
  return SendWriteTwo(session, addr, first, second);
}

int WriteBytes(HidLink& link, const DevicePath& path, int addr, const std::uint8_t* data, int n) {
  if (n <= 0 || n > kPageSize || data == nullptr || !RangeOk(addr, n)) return 0;
  PathSession session(link, path);
  return SendBytes(session, addr, data, n);
}

int WritePage32(HidLink& link, const DevicePath& path, int addr, const std::uint8_t* data) {
  if (data == nullptr || !RangeOk(addr, kPageSize)) return 0;
  std::array<std::uint8_t, kPageSize> page{};
  std::copy(data, data + kPageSize, page.begin());
  PathSession session(link, path);
  return SendPage(session, addr, page);
}

int ReadImage(HidLink& link, const DevicePath& path, MemoryImage& image, const Progress& progress) {
  // Other threads' commands may run between two reads.
  PathSession session(link, path, PathSession::Locking::kPerExchange);
  if (!session.Ok()) return 0;
  for (int addr = 0; addr < kMemorySize; addr += kReadChunk) {
    FeatureReport request = AddressedRequest(kMemRead7, addr);
    if (!session.Exchange(request, 0)) return 0;
    // The last request reaches past the memory; only what belongs to it is kept.
    const int count = std::min(kReadChunk, kMemorySize - addr);
    std::copy(request.begin() + 2, request.begin() + 2 + count,
              image.begin() + static_cast<std::ptrdiff_t>(addr));
    if (progress) progress(static_cast<double>(addr) / kMemorySize);
  }
  return 1;
}

int WriteImage(HidLink& link, const DevicePath& path, const std::uint8_t* data, int size,
               const Progress& progress) {
  if (data == nullptr || size <= 0) return 0;
  size = std::min(size, kMemorySize);
  PathSession session(link, path, PathSession::Locking::kPerExchange);
  if (!session.Ok()) return 0;
  for (int addr = 0; addr < size; addr += kPageSize) {
    std::array<std::uint8_t, kPageSize> page{};
    std::copy(data + addr, data + std::min(addr + kPageSize, size), page.begin());
    {
      // A page's staging and commit must not be split by another write.
      std::lock_guard<LinkLock> hold(link.DeviceLock());
      if (!SendPage(session, addr, page)) return 0;
    }
    if (progress) progress(static_cast<double>(addr) / kMemorySize);
  }
  return 1;
}

int WriteDirectoryEntry(HidLink& link, const DevicePath& path, int index, std::uint16_t startWord,
                        std::uint16_t secondWord, const std::u16string& name) {
  if (index < 0 || index >= kDirectoryEntries) return 0;
  std::array<std::uint8_t, 2 * kDirectoryNameChars> buffer{};
  const std::size_t chars = std::min<std::size_t>(name.size(), kDirectoryNameChars);
  for (std::size_t i = 0; i < chars; ++i) {
    buffer[2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
    buffer[2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
  }
  const int base = kDirectoryEntrySize * index;
  PathSession session(link, path);
  if (!session.Ok()) return 0;
  if (startWord != 0xFFFF) {
    if (!SendBytes(session, base + 4, buffer.data(), 12)) return 0;
    if (!SendBytes(session, base + 16, buffer.data() + 12, 12)) return 0;
  }
  if (!SendBytes(session, base + 28, buffer.data() + 24, 4)) return 0;
  if (!SendWriteTwo(session, base, static_cast<std::uint8_t>(startWord & 0xFF),
                    static_cast<std::uint8_t>(startWord >> 8))) {
    return 0;
  }
  return SendWriteTwo(session, base + 2, static_cast<std::uint8_t>(secondWord & 0xFF),
                      static_cast<std::uint8_t>(secondWord >> 8));
}

}  // namespace device
