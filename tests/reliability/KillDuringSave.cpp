// Kills a process while it saves the macro library, at points spread over the
// save, and checks after each kill that the file on disk is the old library
// or the new one, byte for byte, that it loads, and that the temporaries the
// kills left are cleared by the next start.
// Usage: kill_during_save FOLDER POINTS
//        kill_during_save save FILE      (the child: saves the new library)
#include <signal.h>
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

std::vector<std::uint8_t> Bytes(int flavour) {
  MacroLibrary library;
  FillLibrary(library, flavour);
  return SerializeLibrary(library);
}

pid_t StartSave(const fs::path& file) {
  const pid_t child = fork();
  if (child == 0) {
    execl("/proc/self/exe", "kill_during_save", "save", file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

int Temporaries(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().u8string().rfind("macro.dat.tmp-", 0) == 0) ++count;
  }
  return count;
}

// Files written by the kills look a minute old to the cleaning, as after a restart.
void AgeTemporaries(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().u8string().rfind("macro.dat.tmp-", 0) != 0) continue;
    fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "save") {
    MacroLibrary library;
    FillLibrary(library, 2);
    return SaveLibrary(library, argv[2]) == 1 ? 0 : 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: kill_during_save FOLDER POINTS\n");
    return 2;
  }
  const fs::path folder = argv[1];
  const int points = std::max(1, std::atoi(argv[2]));
  fs::create_directories(folder);
  const fs::path file = folder / "macro.dat";
  const std::vector<std::uint8_t> oldBytes = Bytes(1);
  const std::vector<std::uint8_t> newBytes = Bytes(2);

  // How long a whole save takes here, process start included.
  std::vector<double> runs;
  for (int i = 0; i < 5; ++i) {
    WriteFileAtomically(file, oldBytes);
    const auto start = Clock::now();
    int status = 0;
    waitpid(StartSave(file), &status, 0);
    runs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "the save itself failed\n");
      return 1;
    }
  }
  std::sort(runs.begin(), runs.end());
  const double saveUs = runs[2];

  int keptOld = 0, gotNew = 0, damaged = 0, temporaries = 0;
  for (int i = 0; i < points; ++i) {
    WriteFileAtomically(file, oldBytes);
    const pid_t child = StartSave(file);
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(saveUs * 1.5 * i / points)));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::vector<std::uint8_t> onDisk;
    ReadFileBytes(file, onDisk);
    MacroLibrary loaded;
    LibraryView view;
    const LibraryLoadReport report = LoadLibrary(loaded, view, file, 0);
    if (onDisk == oldBytes && report.result == LibraryLoad::kLoaded) {
      ++keptOld;
    } else if (onDisk == newBytes && report.result == LibraryLoad::kLoaded) {
      ++gotNew;
    } else {
      ++damaged;
    }
    temporaries += Temporaries(folder);
    AgeTemporaries(folder);
    RemoveLeftTemporaries(file, 60);
  }
  const int leftAfterStart = Temporaries(folder);
  std::printf("save: %.0f us; kills: %d, old library: %d, new library: %d, damaged: %d, "
              "temporaries left by kills: %d, left after the next start: %d\n",
              saveUs, points, keptOld, gotNew, damaged, temporaries, leftAfterStart);
  return damaged == 0 && leftAfterStart == 0 && keptOld > 0 && gotNew > 0 ? 0 : 1;
}
