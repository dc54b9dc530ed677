#include "base/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fs = std::filesystem;

namespace {

constexpr char kTemporaryMark[] = ".tmp-";

fs::path TemporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path name = target.filename();
  name += kTemporaryMark + std::to_string(static_cast<unsigned long long>(ticks) & 0xFFFFFFu) + "-" +
          std::to_string(counter++);
  return target.parent_path() / name;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

}  // namespace

int RemoveLeftTemporaries(const fs::path& target, int minimumAgeSeconds) {
  const std::string prefix = target.filename().u8string() + kTemporaryMark;
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code code;
  const auto now = fs::file_time_type::clock::now();
  int removed = 0;
  for (fs::directory_iterator it(folder, code), end; !code && it != end; it.increment(code)) {
    const std::string name = it->path().filename().u8string();
    if (name.compare(0, prefix.size(), prefix) != 0 || !it->is_regular_file(code)) continue;
    const auto written = fs::last_write_time(it->path(), code);
    if (code || now - written < std::chrono::seconds(minimumAgeSeconds)) continue;
    if (fs::remove(it->path(), code)) ++removed;
  }
  return removed;
}

FileReadResult ReadFileBytes(const fs::path& file, std::vector<std::uint8_t>& bytes, std::size_t maxBytes) {
  std::error_code code;
  if (!fs::exists(file, code)) return code ? FileReadResult::kFailed : FileReadResult::kMissing;
  std::ifstream in(file, std::ios::binary);
  if (!in) return FileReadResult::kFailed;
  std::vector<std::uint8_t> result;
  char chunk[65536];
  while (result.size() < maxBytes) {
    const std::size_t want = std::min(sizeof chunk, maxBytes - result.size());
    in.read(chunk, static_cast<std::streamsize>(want));
    const std::streamsize got = in.gcount();
    if (got > 0) result.insert(result.end(), chunk, chunk + got);
    if (static_cast<std::size_t>(got) < want) break;
  }
  if (in.bad()) return FileReadResult::kFailed;
  bytes.swap(result);
  return FileReadResult::kRead;
}

int WriteFileAtomically(const fs::path& target, const std::vector<std::uint8_t>& bytes, std::string* error) {
  const fs::path temporary = TemporaryBeside(target);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      SetError(error, "cannot create " + temporary.u8string());
      return 0;
    }
    if (!bytes.empty()) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temporary, ignored);
      SetError(error, "cannot write " + temporary.u8string() + " (disk full?)");
      return 0;
    }
  }
  std::error_code ignored;
  if (!SyncFileToDisk(temporary)) {
    fs::remove(temporary, ignored);
    SetError(error, "cannot flush " + temporary.u8string() + " to the disk");
    return 0;
  }
  if (!ReplaceFileAtomically(temporary, target)) {
    fs::remove(temporary, ignored);
    SetError(error, "cannot replace " + target.u8string());
    return 0;
  }
  return 1;
}

fs::path DamagedFileName(const fs::path& file, const std::tm& when) {
  char stamp[96];
  std::snprintf(stamp, sizeof stamp, ".damaged-%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1,
                when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  fs::path name = file;
  name += stamp;
  return name;
}

int KeepDamagedFileAside(const fs::path& file, std::time_t now, fs::path& keptAt, bool copy) {
  std::tm parts{};
#if defined(_WIN32)
  localtime_s(&parts, &now);
#else
  localtime_r(&now, &parts);
#endif
  const fs::path base = DamagedFileName(file, parts);
  std::error_code code;
  for (int attempt = 1; attempt < 1000; ++attempt) {
    fs::path candidate = base;
    if (attempt > 1) candidate += "-" + std::to_string(attempt);
    if (fs::exists(candidate, code)) continue;
    if (copy) {
      fs::copy_file(file, candidate, code);
    } else {
      fs::rename(file, candidate, code);
    }
    if (code) return 0;
    keptAt = candidate;
    return 1;
  }
  return 0;
}

#ifndef _WIN32

int SyncFileToDisk(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  if (fd < 0) return 0;
  const int result = ::fsync(fd);
  ::close(fd);
  return result == 0 ? 1 : 0;
}

int ReplaceFileAtomically(const fs::path& source, const fs::path& target) {
  if (std::rename(source.c_str(), target.c_str()) != 0) return 0;
  // Make the new directory entry itself durable; a failure here leaves the
  // file replaced all the same.
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return 1;
}

#endif
