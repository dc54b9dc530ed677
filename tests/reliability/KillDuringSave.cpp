// Kills a process while it saves, at points spread over the save, and checks
// after each kill that the file on disk is the old one or the new one, byte
// for byte, that it loads, and that the temporaries the kills left are
// cleared by the next start (the library) or the next save (a backup file).
// Both the macro library of 2000 macros and a whole-mouse backup file.
// Usage: kill_during_save FOLDER POINTS
//        kill_during_save library|backup FILE   (the child: saves the new file)
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/AtomicFile.h"
#include "device/BackupFile.h"
#include "macro/LibraryFile.h"
#include "macro/LibraryView.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kMacros = 2000;

// 2000 macros of a dozen commands in ten groups; `flavour` changes every byte.
void FillLibrary(MacroLibrary& library, int flavour) {
  for (int g = 0; g < 10; ++g) library.AddEntry(u"group " + std::u16string(1, u'A' + g), true, 0, 1, {});
  for (int m = 0; m < kMacros; ++m) {
    MacroCommands commands = NewMacro();
    for (int c = 0; c < 12; ++c) {
      MacroCommand key;
      key.length = 2;
      key.code[0] = c % 2 ? kOpKeyUp : kOpKeyDown;
      key.code[1] = static_cast<std::uint8_t>(4 + (m + c + flavour) % 26);
      commands.push_back(key);
    }
    Renumber(commands);
    const std::u16string name = u"macro " + std::u16string(1, u'a' + flavour) + u" " +
                                std::u16string(1, static_cast<char16_t>(u'0' + m % 10));
    library.AddEntry(name, false, static_cast<std::uint32_t>(1 + m % 10), 0, commands);
  }
}

std::vector<std::uint8_t> LibraryBytes(int flavour) {
  MacroLibrary library;
  FillLibrary(library, flavour);
  return SerializeLibrary(library);
}

bool LibraryLoads(const fs::path& file) {
  MacroLibrary loaded;
  LibraryView view;
  return LoadLibrary(loaded, view, file, 0).result == LibraryLoad::kLoaded;
}

// A whole mouse; `flavour` changes the image and the names.
device::BackupFile Backup(int flavour) {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i) {
    backup.image[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(flavour));
  }
  backup.levels = {{{4, 4}, {8, 9}, {12, 12}, {16, static_cast<std::uint8_t>(40 + flavour)}}};
  for (std::size_t p = 0; p < backup.names.size(); ++p) {
    backup.names[p] = u"profile " + std::u16string(1, static_cast<char16_t>(u'a' + flavour + p));
  }
  return backup;
}

bool BackupLoads(const fs::path& file) {
  device::BackupFile loaded;
  return device::LoadBackupFile(file, loaded) == 1;
}

struct Subject {
  const char* name;  // the child's first argument
  const char* fileName;
  std::vector<std::uint8_t> oldBytes;
  std::vector<std::uint8_t> newBytes;
  bool (*loads)(const fs::path&);
};

pid_t StartSave(const Subject& subject, const fs::path& file) {
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", "kill_during_save", subject.name, file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

bool IsTemporaryOf(const fs::path& path, const fs::path& file) {
  return path.filename().u8string().rfind(file.filename().u8string() + ".tmp-", 0) == 0;
}

int Temporaries(const fs::path& file) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    if (IsTemporaryOf(entry.path(), file)) ++count;
  }
  return count;
}

// Files written by the kills look a minute old to the cleaning, as after a restart.
void AgeTemporaries(const fs::path& file) {
  for (const auto& entry : fs::directory_iterator(file.parent_path())) {
    if (!IsTemporaryOf(entry.path(), file)) continue;
    fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
  }
}

// The replace puts another file under the name.
ino_t Inode(const fs::path& file) {
  struct stat status {};
  return stat(file.c_str(), &status) == 0 ? status.st_ino : 0;
}

struct Outcome {
  int kills = 0;
  int lost = 0;  // neither the old nor the new file, whole and loading
  bool failed = false;
};

Outcome KillSaves(const Subject& subject, const fs::path& folder, int points) {
  const fs::path file = folder / subject.fileName;
  // How long it takes here from the process start until the new file is in
  // place (the process lives on a while after that).
  std::vector<double> runs;
  for (int i = 0; i < 5; ++i) {
    WriteFileAtomically(file, subject.oldBytes);
    const ino_t oldFile = Inode(file);
    const auto start = Clock::now();
    const pid_t child = StartSave(subject, file);
    while (Inode(file) == oldFile && Clock::now() - start < std::chrono::seconds(10)) {
      std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
    runs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "%s: the save itself failed\n", subject.name);
      return {0, 0, true};
    }
  }
  std::sort(runs.begin(), runs.end());
  const double saveUs = runs[2];

  int keptOld = 0, gotNew = 0, damaged = 0, temporaries = 0;
  for (int i = 0; i < points; ++i) {
    WriteFileAtomically(file, subject.oldBytes);
    const pid_t child = StartSave(subject, file);
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(saveUs * 1.5 * i / points)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::vector<std::uint8_t> onDisk;
    ReadFileBytes(file, onDisk);
    const bool loads = subject.loads(file);
    if (onDisk == subject.oldBytes && loads) {
      ++keptOld;
    } else if (onDisk == subject.newBytes && loads) {
      ++gotNew;
    } else {
      ++damaged;
    }
    temporaries += Temporaries(file);
    AgeTemporaries(file);
    RemoveLeftTemporaries(file, 60);
  }
  const int leftAfter = Temporaries(file);
  std::printf("%s: save %.0f us; kills: %d, old file: %d, new file: %d, damaged: %d, "
              "temporaries left by kills: %d, left after the next start: %d\n",
              subject.name, saveUs, points, keptOld, gotNew, damaged, temporaries, leftAfter);
  return {points, damaged, leftAfter != 0 || keptOld == 0 || gotNew == 0};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "library") {
    MacroLibrary library;
    FillLibrary(library, 2);
    return SaveLibrary(library, argv[2]) == 1 ? 0 : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "backup") {
    return device::SaveBackupFile(argv[2], Backup(2)) == 1 ? 0 : 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: kill_during_save FOLDER POINTS\n");
    return 2;
  }
  const fs::path folder = argv[1];
  const int points = std::max(1, std::atoi(argv[2]));
  fs::create_directories(folder);
  const Subject subjects[] = {
      {"library", "macro.dat", LibraryBytes(1), LibraryBytes(2), LibraryLoads},
      {"backup", "mouse.mbf", device::EncodeBackupFile(Backup(1)), device::EncodeBackupFile(Backup(2)), BackupLoads},
  };
  int cases = 0, lost = 0;
  bool failed = false;
  for (const Subject& subject : subjects) {
    const Outcome outcome = KillSaves(subject, folder, points);
    cases += outcome.kills;
    lost += outcome.lost;
    failed = failed || outcome.failed;
  }
  std::printf("kill_save_cases: %d\nkill_save_lost: %d\n", cases, lost);
  return lost == 0 && !failed ? 0 : 1;
}
