#include "macro/LibraryFile.h"

#include <algorithm>
#include <cstdio>

#include "base/ArchiveString.h"
#include "base/DiagLog.h"
#include "base/AtomicFile.h"
#include "base/ByteReader.h"
#include "base/ByteWriter.h"

namespace {

// The fewest bytes each record can take, to check counts before reserving.
constexpr std::size_t kMinEntryBytes = 4 + 4 + 1 + 4 + 4 + 4 + 4;
constexpr std::size_t kCommandBytes = 4 + 4 + 5;
constexpr std::size_t kMinDeviceBytes = 4 * 4 + kStoredPairs * 8 + kProfileSlots * (4 + kRowValues * 4 + 1 + 1 + 16);

bool ReadEntry(ByteReader& reader, LibraryEntry& entry) {
  std::uint32_t commandCount = 0;
  if (!reader.ReadU32(entry.id)) return false;
  // Only macros and groups are ever written; any other kind is bytes out of
  // place, which may otherwise still read on to the end of the file.
  const std::size_t kindAt = reader.Offset();
  if (!reader.ReadU32(entry.kind)) return false;
  if (entry.kind != LibraryEntry::kKindMacro && entry.kind != LibraryEntry::kKindGroup) {
    reader.FailAt(kindAt, "entry kind " + std::to_string(entry.kind) + " is neither macro nor group");
    return false;
  }
  if (!ReadArchiveString(reader, entry.name) ||
      !reader.ReadU32(entry.parent) || !reader.ReadU32(entry.size) || !reader.ReadU32(entry.flags) ||
      !reader.ReadU32(commandCount) || !reader.CanHold(commandCount, kCommandBytes)) {
    return false;
  }
  entry.commands.resize(commandCount);
  for (auto& command : entry.commands) {
    if (!reader.ReadU32(command.address)) return false;
    const std::size_t lengthAt = reader.Offset();
    if (!reader.ReadU32(command.length) || !reader.ReadBytes(command.code, sizeof command.code)) return false;
    if (command.length < 1 || command.length > sizeof command.code) {
      reader.FailAt(lengthAt, "command length " + std::to_string(command.length) + " is not 1 to 5");
      return false;
    }
  }
  return true;
}

bool ReadDevice(ByteReader& reader, std::uint32_t& key, DeviceProfileRecord& record) {
  if (!reader.ReadU32(key) || !reader.ReadU32(record.profileCount) || !reader.ReadU32(record.currentProfile) ||
      !reader.ReadU32(record.profileSetting)) {
    return false;
  }
  for (int k = 0; k < kStoredPairs; ++k) {
    if (!reader.ReadU32(record.pairFirst[static_cast<std::size_t>(k)]) ||
        !reader.ReadU32(record.pairSecond[static_cast<std::size_t>(k)])) {
      return false;
    }
  }
  for (std::size_t i = 0; i < kProfileSlots; ++i) {
    if (!reader.ReadU32(record.profileCode[i])) return false;
    for (auto& value : record.rows[i]) {
      if (!reader.ReadU32(value)) return false;
    }
    // The code is stored twice; the second copy is the one that stands.
    if (!ReadArchiveString(reader, record.profileName[i]) || !ReadArchiveString(reader, record.profileName2[i]) ||
        !reader.ReadU32(record.profileCode[i]) || !reader.ReadU32(record.valueA[i]) ||
        !reader.ReadU32(record.valueB[i]) || !reader.ReadU32(record.valueC[i])) {
      return false;
    }
  }
  return true;
}

std::tm LocalTime(std::time_t when) {
  std::tm parts{};
#if defined(_WIN32)
  localtime_s(&parts, &when);
#else
  localtime_r(&when, &parts);
#endif
  return parts;
}

// The first unsaved-library name beside `file` that no file has yet.
std::filesystem::path FreeUnsavedName(const std::filesystem::path& file, std::time_t now) {
  const std::filesystem::path first = UnsavedLibraryName(file, LocalTime(now));
  std::filesystem::path candidate = first;
  std::error_code code;
  for (int n = 2; n < 1000 && std::filesystem::exists(candidate, code); ++n) {
    std::filesystem::path name = first.stem();
    name += " " + std::to_string(n);
    name += first.extension();
    candidate = first.parent_path() / name;
  }
  return candidate;
}

void Report(const ByteReader& reader, FileProblem* problem) {
  if (!problem) return;
  problem->offset = reader.FailOffset();
  problem->what = reader.FailReason();
}

}  // namespace

LibraryParse ParseLibrary(const std::uint8_t* data, std::size_t size, MacroLibrary& library, FileProblem* problem,
                          std::size_t* trailing) {
  ByteReader reader(data, size);
  std::u16string magic;
  if (!ReadArchiveString(reader, magic) || magic != kLibraryMagic) {
    if (problem) *problem = {0, "the file does not start with the library's magic string"};
    return LibraryParse::kWrongMagic;
  }
  // A count larger than the rest can hold is damage too, but a cut file still
  // gives the records before the cut: they are read until one fails, with
  // only as much reserved as the rest could hold.
  std::uint32_t entryCount = 0;
  if (!reader.ReadU32(entryCount)) {
    Report(reader, problem);
    return LibraryParse::kDamaged;
  }
  library.entries.reserve(std::min<std::size_t>(entryCount, reader.Remaining() / kMinEntryBytes));
  for (std::uint32_t i = 0; i < entryCount; ++i) {
    auto entry = std::make_unique<LibraryEntry>();
    if (!ReadEntry(reader, *entry)) {
      Report(reader, problem);
      return LibraryParse::kDamaged;
    }
    library.entries.push_back(std::move(entry));
  }
  std::uint32_t deviceCount = 0;
  if (!reader.ReadU32(deviceCount)) {
    Report(reader, problem);
    return LibraryParse::kDamaged;
  }
  for (std::uint32_t i = 0; i < deviceCount; ++i) {
    std::uint32_t key = 0;
    auto record = std::make_unique<DeviceProfileRecord>();
    if (!ReadDevice(reader, key, *record)) {
      Report(reader, problem);
      return LibraryParse::kDamaged;
    }
    library.devices[key] = std::move(*record);
  }
  if (trailing) *trailing = reader.Remaining();
  return LibraryParse::kParsed;
}

std::vector<std::uint8_t> SerializeLibrary(const MacroLibrary& library) {
  ByteWriter writer;
  std::size_t estimate = 32;
  for (const auto& entry : library.entries) estimate += 40 + entry->name.size() * 2 + entry->commands.size() * kCommandBytes;
  estimate += library.devices.size() * (kMinDeviceBytes + kProfileSlots * 8);
  writer.Reserve(estimate);

  WriteArchiveString(writer, kLibraryMagic);
  writer.WriteU32(static_cast<std::uint32_t>(library.entries.size()));
  for (const auto& entry : library.entries) {
    writer.WriteU32(entry->id);
    writer.WriteU32(entry->kind);
    WriteArchiveString(writer, entry->name);
    writer.WriteU32(entry->parent);
    writer.WriteU32(entry->size);
    writer.WriteU32(entry->flags);
    writer.WriteU32(static_cast<std::uint32_t>(entry->commands.size()));
    for (const auto& command : entry->commands) {
      writer.WriteU32(command.address);
      writer.WriteU32(command.length);
      writer.WriteBytes(command.code, sizeof command.code);
    }
  }
  writer.WriteU32(static_cast<std::uint32_t>(library.devices.size()));
  for (const auto& device : library.devices) {
    const DeviceProfileRecord& record = device.second;
    writer.WriteU32(device.first);
    writer.WriteU32(record.profileCount);
    writer.WriteU32(record.currentProfile);
    writer.WriteU32(record.profileSetting);
    for (std::size_t k = 0; k < kStoredPairs; ++k) {
      writer.WriteU32(record.pairFirst[k]);
      writer.WriteU32(record.pairSecond[k]);
    }
    for (std::size_t i = 0; i < kProfileSlots; ++i) {
      writer.WriteU32(record.profileCode[i]);
      writer.WriteU32s(record.rows[i].data(), record.rows[i].size());
      WriteArchiveString(writer, record.profileName[i]);
      WriteArchiveString(writer, record.profileName2[i]);
      writer.WriteU32(record.profileCode[i]);
      writer.WriteU32(record.valueA[i]);
      writer.WriteU32(record.valueB[i]);
      writer.WriteU32(record.valueC[i]);
    }
  }
  return writer.Take();
}

std::filesystem::path UnsavedLibraryName(const std::filesystem::path& file, const std::tm& when) {
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, " (unsaved %04d-%02d-%02d %02d%02d)", when.tm_year + 1900, when.tm_mon + 1,
                when.tm_mday, when.tm_hour, when.tm_min);
  std::filesystem::path name = file.stem();
  name += stamp;
  name += file.extension();
  return file.parent_path() / name;
}

LibraryLoadReport LoadLibrary(MacroLibrary& library, LibraryView& view, const std::filesystem::path& file,
                              std::time_t now, int visibleRows) {
  LibraryLoadReport report;
  {
    std::lock_guard<std::mutex> hold(library.FileLock());
    std::vector<std::uint8_t> bytes;
    const FileReadResult read = ReadFileBytes(file, bytes);
    // Whatever is in a file we could neither read nor keep aside, a save must
    // not replace it unseen.
    bool keepFile = false;
    if (read == FileReadResult::kMissing || (read == FileReadResult::kRead && bytes.empty())) {
      report.result = LibraryLoad::kMissing;
    } else if (read == FileReadResult::kFailed) {
      report.result = LibraryLoad::kUnreadable;
      report.problem.what = "the file cannot be read";
      keepFile = true;
    } else {
      MacroLibrary parsed;
      std::size_t trailing = 0;
      const LibraryParse result = ParseLibrary(bytes.data(), bytes.size(), parsed, &report.problem, &trailing);
      if (result == LibraryParse::kParsed) {
        report.result = LibraryLoad::kLoaded;
        if (trailing != 0) {
          report.problem = {bytes.size() - trailing, std::to_string(trailing) + " unknown bytes after the last record"};
          KeepDamagedFileAside(file, now, report.keptAside, true);
        }
      } else {
        report.result = result == LibraryParse::kWrongMagic ? LibraryLoad::kWrongMagic : LibraryLoad::kDamaged;
        keepFile = !KeepDamagedFileAside(file, now, report.keptAside);
      }
      // A damaged file still gives what was read before the damage.
      if (result != LibraryParse::kWrongMagic) {
        view = LibraryView();
        library.SwapContent(parsed);
      }
    }
    if (keepFile) {
      library.savesGoTo = FreeUnsavedName(file, now);
      report.savedInstead = library.savesGoTo;
    }
    // Inside the lock: the rebuild writes the group sizes that a save reads.
    RebuildView(library, view, visibleRows);
  }
  if (!report.problem.what.empty()) {
    diag::Write("library file " + file.u8string() + ": " + report.problem.what + " at byte " +
                std::to_string(report.problem.offset) +
                (report.keptAside.empty() ? std::string() : "; kept as " + report.keptAside.u8string()) +
                (report.savedInstead.empty() ? std::string() : "; saving to " + report.savedInstead.u8string()));
  }
  return report;
}

int SaveLibrary(const MacroLibrary& library, const std::filesystem::path& file, std::string* error) {
  std::lock_guard<std::mutex> hold(library.FileLock());
  const std::filesystem::path& target = library.savesGoTo.empty() ? file : library.savesGoTo;
  std::string why;
  if (WriteFileAtomically(target, SerializeLibrary(library), &why)) return 1;
  diag::Write("library not saved: " + why);
  if (error) *error = why;
  return 0;
}
