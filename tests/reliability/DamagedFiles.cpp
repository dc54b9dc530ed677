// Damages the files the program reads and checks, case by case, that each one
// is handled as the user needs it:
// - the macro library cut at every byte and with every byte flipped (all its
//   bits, then only the lowest), loaded the way the program loads it at the
//   start: either the file is set aside whole and the user is told, and every
//   entry and mouse record that lies wholly before the damage is kept; or, for
//   a flip that leaves a well-formed file, it loads with only the flipped
//   record changed and no other entry touched; an empty file is no library;
// - a backup cut at every byte: the restore refuses it, tells the user so and
//   sends the simulated mouse nothing;
// - language files with broken UTF-16, no byte-order mark, megabyte lines,
//   nothing at all or binary junk: every text, caption and font stays as the
//   defaults (or, where the damage lies beside sound keys, as those keys say).
// Each case runs in a child process, so a crash is a failed case, not the end.
// Usage: damaged_files FOLDER sample|full   (sample: every 31st offset and the edges)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/LibraryPlace.h"
#include "app/Notice.h"
#include "base/AtomicFile.h"
#include "base/IniFile.h"
#include "base/TemplateFormatter.h"
#include "base/Utf16.h"
#include "device/BackupFile.h"
#include "device/DeviceOperations.h"
#include "device/Discovery.h"
#include "macro/MacroDirectory.h"
#include "sim/SimulatedHidPort.h"
#include "sim/VirtualClock.h"
#include "support/QuietPlatform.h"
#include "ui/SkinFonts.h"
#include "ui/SkinStyle.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int kSampleStep = 31;
// Far beyond any load here, even under the sanitizers; a case still running
// then has hung.
constexpr int kCaseSeconds = 20;

// What a case found wrong; empty when it passed.
using Faults = std::vector<std::string>;

void Expect(Faults& faults, bool holds, const std::string& what) {
  if (!holds) faults.push_back(what);
}

Bytes ReadBytes(const fs::path& file) {
  Bytes bytes;
  ReadFileBytes(file, bytes);
  return bytes;
}

// The offsets a run tries out of [0, size): every one, or every step-th one
// with the first and last few, where the headers and the last record end.
std::vector<std::size_t> Offsets(std::size_t size, int step) {
  std::vector<std::size_t> offsets;
  for (std::size_t at = 0; at < size; ++at) {
    if (step == 1 || at % static_cast<std::size_t>(step) == 0 || at < 64 || at + 64 >= size) offsets.push_back(at);
  }
  return offsets;
}

// Runs each case in a child; a child that dies is one more failure.
struct Cases {
  fs::path folder;
  int count = 0;
  int failures = 0;

  void Run(const std::string& name, const std::function<Faults(const fs::path& work)>& check) {
    ++count;
    const fs::path work = folder / "case";
    std::error_code ignored;
    fs::remove_all(work, ignored);
    fs::create_directories(work);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      alarm(kCaseSeconds);
      const Faults faults = check(work);
      for (const std::string& fault : faults) std::fprintf(stderr, "FAIL %s: %s\n", name.c_str(), fault.c_str());
      std::fflush(nullptr);
      _exit(faults.empty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
      const bool hung = WTERMSIG(status) == SIGALRM;
      std::fprintf(stderr, "FAIL %s: %s %d\n", name.c_str(), hung ? "hung, stopped by signal" : "crashed by signal",
                   WTERMSIG(status));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
  }
};

// ---- the macro library -------------------------------------------------

MacroCommand Command(std::initializer_list<std::uint8_t> code) {
  MacroCommand command;
  command.length = static_cast<std::uint32_t>(code.size());
  std::copy(code.begin(), code.end(), command.code);
  return command;
}

MacroCommands Macro(std::initializer_list<MacroCommand> steps) {
  MacroCommands commands = NewMacro();
  commands.insert(commands.end(), steps);
  Renumber(commands);
  return commands;
}

// Two groups, five macros of keys, waits, buttons and the wheel (one outside
// any group, one with a name beyond ASCII), and one mouse's settings.
void FillSampleLibrary(MacroLibrary& library) {
  library.AddEntry(u"Work", true, 0, LibraryEntry::kExpanded, {});
  library.AddEntry(u"Games", true, 0, 0, {});
  library.AddEntry(u"copy", false, 1, 0,
                   Macro({Command({kOpKeyDown, 0xE0}), Command({kOpKeyDown, 0x06}), MakeWait(20),
                          Command({kOpKeyUp, 0x06}), Command({kOpKeyUp, 0xE0})}));
  library.AddEntry(u"burst", false, 2, 0,
                   Macro({Command({kOpButtonsDown | kMaskLeft}), MakeWait(30), Command({kOpButtonsUp | kMaskLeft}),
                          MakeWait(1500), Command({kOpButtonsDown | kMaskRight}),
                          Command({kOpButtonsUp | kMaskRight})}));
  library.AddEntry(u"Tap", false, 0, 0, Macro({Command({kOpKeyDown, 0x2C}), MakeWait(300), Command({kOpKeyUp, 0x2C})}));
  library.AddEntry(u"Gr\u00fc\u00dfe \u2713", false, 1, 0,
                   Macro({Command({kOpWheel | 0x03}), MakeWait(5), Command({kOpWheel | 0x1D})}));
  library.AddEntry(u"scroll", false, 2, 0, Macro({Command({kOpConsumer, 0xE9, 0x00}), MakeWait(65535)}));
  DeviceProfileRecord& mouse = library.devices[0x1234];
  mouse.profileCount = 7;
  mouse.currentProfile = 2;
  mouse.profileSetting = 3;
  mouse.pairFirst[9] = 19;
  mouse.pairSecond[9] = 29;
  for (std::size_t i = 0; i < 7; ++i) {
    mouse.profileCode[i] = 18;
    mouse.profileName[i] = u"Mode " + std::u16string(1, static_cast<char16_t>(u'1' + i));
    mouse.rows[i][4] = static_cast<std::uint32_t>(3 + i % 5);
    mouse.valueA[i] = 8;
  }
  mouse.profileName2[0] = u"second";
}

// A group's size is its child count, which the load counts anew.
bool SameEntry(const LibraryEntry& a, const LibraryEntry& b) {
  if (a.name != b.name || a.flags != b.flags || a.id != b.id || a.kind != b.kind || a.parent != b.parent ||
      (a.size != b.size && !a.IsGroup()) || a.commands.size() != b.commands.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.commands.size(); ++i) {
    const MacroCommand& x = a.commands[i];
    const MacroCommand& y = b.commands[i];
    if (x.address != y.address || x.length != y.length || !std::equal(x.code, x.code + 5, y.code)) return false;
  }
  return true;
}

// The library as the program holds it after a clean load, and where each of
// its records lies in the file: the entries, then the mouse records.
struct LibraryLayout {
  Bytes file;
  MacroLibrary loaded;
  std::vector<std::pair<std::size_t, std::size_t>> records;
  std::size_t magicEnd = 0;
};

void BuildLayout(LibraryLayout& layout, const fs::path& folder) {
  MacroLibrary library;
  FillSampleLibrary(library);
  layout.file = SerializeLibrary(library);
  // An empty library is the magic and the two counts; each record adds its own bytes.
  const std::size_t empty = SerializeLibrary(MacroLibrary()).size();
  layout.magicEnd = empty - 8;
  std::size_t at = empty - 4;
  const auto add = [&](MacroLibrary& one) {
    layout.records.emplace_back(at, at + SerializeLibrary(one).size() - empty);
    at = layout.records.back().second;
  };
  for (const auto& entry : library.entries) {
    MacroLibrary one;
    one.entries.push_back(std::make_unique<LibraryEntry>(*entry));
    add(one);
  }
  at += 4;
  for (const auto& device : library.devices) {
    MacroLibrary one;
    one.devices.insert(device);
    add(one);
  }
  const fs::path file = folder / "macro.dat";
  WriteFileAtomically(file, layout.file);
  LibraryView view;
  LoadLibraryAt(LibraryPlace{file, file}, layout.loaded, view, 0);
}

// Whether record `i` of the clean load is in `got` as it was.
bool Kept(const LibraryLayout& layout, const MacroLibrary& got, std::size_t i) {
  const auto& entries = layout.loaded.entries;
  if (i < entries.size()) return i < got.entries.size() && SameEntry(*got.entries[i], *entries[i]);
  const auto device = std::next(layout.loaded.devices.begin(), static_cast<long>(i - entries.size()));
  const auto kept = got.devices.find(device->first);
  return kept != got.devices.end() && kept->second == device->second;
}

struct LibraryOutcome {
  LibraryLoadReport report;
  MacroLibrary library;
  std::optional<Notice> notice;
  UiText texts = LoadUiText(IniFile(), kMacroAreaSize);
};

// Loads the damaged bytes the way the program does at its start.
void LoadDamaged(const fs::path& work, const Bytes& bytes, LibraryOutcome& out) {
  const fs::path file = work / "macro.dat";
  WriteFileAtomically(file, bytes);
  LibraryView view;
  out.report = LoadLibraryAt(LibraryPlace{file, file}, out.library, view, 0);
  out.notice = LibraryLoadNotice(out.texts, out.report, file);
}

// The file is kept aside byte for byte (moved, or copied when it was read
// whole with bytes left over, which the next save drops), the user is told
// where it went, and the records before `damageAt` are all there.
void ExpectSetAside(Faults& faults, const fs::path& work, const Bytes& bytes, const LibraryOutcome& out,
                    const LibraryLayout& layout, std::size_t damageAt, bool moved = true) {
  const fs::path file = work / "macro.dat";
  const LibraryLoadReport& report = out.report;
  Expect(faults, !report.keptAside.empty() && ReadBytes(report.keptAside) == bytes, "no whole copy set aside");
  Expect(faults, moved != fs::exists(file), moved ? "the damaged file is still where saves go" : "the file was moved");
  Expect(faults, report.savedInstead.empty(), "saves go elsewhere although the file was set aside");
  const std::u16string told = text::FormatTemplate(out.texts.messageTexts[kMessageLibraryDamaged],
                                                   {text::TemplateArg::Text(file.u16string()),
                                                    text::TemplateArg::Text(report.keptAside.u16string())});
  Expect(faults, out.notice && out.notice->text == told, "the user is not told that the file was set aside");
  for (std::size_t i = 0; i < layout.records.size() && layout.records[i].second <= damageAt; ++i) {
    Expect(faults, Kept(layout, out.library, i), "record " + std::to_string(i) + ", before the damage, lost");
  }
}

Faults CheckCutLibrary(const fs::path& work, const LibraryLayout& layout, std::size_t length) {
  Faults faults;
  const Bytes bytes(layout.file.begin(), layout.file.begin() + static_cast<long>(length));
  LibraryOutcome out;
  LoadDamaged(work, bytes, out);
  if (length == 0) {
    // An empty file holds no library to keep: the program starts empty and
    // leaves the file for the first save.
    Expect(faults, out.report.result == LibraryLoad::kMissing, "an empty file is not taken as no library");
    Expect(faults, out.library.entries.empty() && fs::exists(work / "macro.dat") && out.report.keptAside.empty(),
           "an empty file gave entries or was moved");
    return faults;
  }
  const LibraryLoad expected = length < layout.magicEnd ? LibraryLoad::kWrongMagic : LibraryLoad::kDamaged;
  Expect(faults, out.report.result == expected, "load result " + std::to_string(static_cast<int>(out.report.result)));
  ExpectSetAside(faults, work, bytes, out, layout, length);
  return faults;
}

Faults CheckFlippedLibrary(const fs::path& work, const LibraryLayout& layout, std::size_t at, std::uint8_t mask) {
  Faults faults;
  Bytes bytes = layout.file;
  bytes[at] ^= mask;
  LibraryOutcome out;
  LoadDamaged(work, bytes, out);
  const LibraryLoad result = out.report.result;
  if (result != LibraryLoad::kLoaded || !out.report.keptAside.empty()) {
    ExpectSetAside(faults, work, bytes, out, layout, at, result != LibraryLoad::kLoaded);
    return faults;
  }
  // The file reads as a whole library: only a value changed, so every record
  // but the flipped one must be as it was, and the file stays where it is.
  Expect(faults, !out.notice, "the user is told about a file read whole");
  Expect(faults, ReadBytes(work / "macro.dat") == bytes, "a file read whole was changed");
  Expect(faults, out.library.entries.size() == layout.loaded.entries.size(), "entries lost or gained");
  for (std::size_t i = 0; i < layout.records.size(); ++i) {
    const bool flipped = layout.records[i].first <= at && at < layout.records[i].second;
    Expect(faults, flipped || Kept(layout, out.library, i), "record " + std::to_string(i) + " changed");
  }
  return faults;
}

void CheckLibrary(Cases& cases, const fs::path& folder, int step) {
  LibraryLayout layout;
  BuildLayout(layout, folder);
  // The harness's own premise: the whole file loads as the library it was made from.
  cases.Run("library: the whole file", [&](const fs::path&) {
    const bool made = layout.records.back().second == layout.file.size() && layout.loaded.entries.size() == 7 &&
                      layout.loaded.devices.size() == 1 && layout.loaded.entries[5]->commands.size() == 4;
    return made ? Faults() : Faults{"the sample library does not load as it was made"};
  });
  for (std::size_t length : Offsets(layout.file.size(), step)) {
    cases.Run("library cut to " + std::to_string(length) + " bytes",
              [&](const fs::path& work) { return CheckCutLibrary(work, layout, length); });
  }
  for (std::uint8_t mask : {std::uint8_t{0xFF}, std::uint8_t{0x01}}) {
    for (std::size_t at : Offsets(layout.file.size(), step)) {
      const std::string name = "library byte " + std::to_string(at) + (mask == 0xFF ? " xor 0xFF" : " xor 0x01");
      cases.Run(name, [&](const fs::path& work) { return CheckFlippedLibrary(work, layout, at, mask); });
    }
  }
}

// ---- backups -----------------------------------------------------------

Bytes SampleBackup() {
  device::BackupFile backup;
  for (std::size_t i = 0; i < backup.image.size(); ++i) backup.image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  backup.levels = {{{4, 5}, {8, 9}, {12, 12}, {16, 20}}};
  backup.names = {u"Office", u"abcdefg\u0468", u"", u"Games", u"G", u"\u00c4rger", u"H6"};
  return device::EncodeBackupFile(backup);
}

Faults CheckCutBackup(const fs::path& work, const Bytes& whole, std::size_t length) {
  Faults faults;
  const fs::path file = work / "cut.mbf";
  WriteFileAtomically(file, Bytes(whole.begin(), whole.begin() + static_cast<long>(length)));
  sim::VirtualClock clock;
  sim::SimulatedHidPort port{&clock};
  device::HidLink link{port, clock};
  port.AddMouse();
  device::Discover(link);
  port.ClearLog();
  const sim::SimulatedMouse before = port.Mouse(0);
  QuietWindow window;
  window.path = port.ConfigPath(0);
  const device::OperationTexts statusTexts;
  const device::OperationContext context{link, window, window, statusTexts, nullptr};
  const device::OperationResult result = device::Restore(context, file);
  const UiText texts = LoadUiText(IniFile(), kMacroAreaSize);
  Expect(faults, result.fileFailed, "the restore took the file");
  Expect(faults, OperationNotice(texts, result).text == texts.messageTexts[kMessageNotABackup], "the user is not told");
  const std::vector<std::string> requests = port.Requests();
  Expect(faults, requests.empty(), std::to_string(requests.size()) + " requests reached the mouse");
  const sim::SimulatedMouse& after = port.Mouse(0);
  Expect(faults, after.memory == before.memory && after.names == before.names &&
                     after.levels[3].step == before.levels[3].step && after.settingsCommits == before.settingsCommits,
         "the mouse changed");
  return faults;
}

void CheckBackups(Cases& cases, int step) {
  const Bytes whole = SampleBackup();
  for (std::size_t length : Offsets(whole.size(), step)) {
    cases.Run("backup cut to " + std::to_string(length) + " bytes",
              [&](const fs::path& work) { return CheckCutBackup(work, whole, length); });
  }
}

// ---- language files ----------------------------------------------------

std::u16string Piece(const std::u16string& text) { return text; }
std::u16string Piece(double number) { return text::FromUtf8(std::to_string(number)); }

// One line of fields, to compare loads line by line.
template <typename... Fields>
std::u16string Line(const Fields&... fields) {
  std::u16string line;
  ((line += Piece(fields) + u"|"), ...);
  return line;
}

// Every text, caption, position, colour and font a language file may set.
std::vector<std::u16string> TextLines(const IniSource& ini) {
  const UiText texts = LoadUiText(ini, kMacroAreaSize);
  const SkinStyle style = LoadSkinStyle(ini);
  std::vector<std::u16string> lines;
  std::vector<LabelSlot> labels(texts.labels.begin(), texts.labels.end());
  labels.push_back(texts.versionLabel);
  for (const LabelSlot& l : labels) {
    lines.push_back(Line(l.text, l.x, l.y, l.color, l.tab, l.visible, l.clearType, l.font, l.shadow));
  }
  const auto add = [&lines](const auto& table) { lines.insert(lines.end(), table.begin(), table.end()); };
  add(texts.functionNames), add(texts.mouseButtonNames), add(texts.macroStepTexts);
  add(texts.tooltipTexts), add(texts.messageTexts), add(texts.trayMenuTexts);
  for (int font : texts.functionNameFonts) lines.push_back(Line(font));
  lines.push_back(Line(texts.dpiTemplateX, texts.dpiTemplateY, texts.tooltipExtraWidth));
  for (const ButtonStyle& b : style.buttons) lines.push_back(Line(b.caption, b.alternateCaption, b.font, b.clearType));
  for (const TabStyle& tab : style.tabs) lines.push_back(Line(tab.caption, tab.font, tab.shift));
  const RgbColor& bar = style.functionBarColor;
  lines.push_back(Line(style.functionBarRound, bar.red, bar.green, bar.blue, style.macroStepFont));
  for (const FontSpec& font : LoadSkinFonts(ini)) lines.push_back(Line(font.face, font.pixelSize, font.style));
  // What the window does with every text: log it and fill in its templates.
  for (const std::u16string& line : lines) {
    text::ToUtf8(line);
    text::FormatTemplate(line, {text::TemplateArg::Text(u"x"), text::TemplateArg::Int(1)});
  }
  return lines;
}

std::string Utf16Le(const std::u16string& text, bool mark) {
  std::string bytes = mark ? "\xFF\xFE" : "";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// How many lines of `ini` differ from `expected`.
Faults CompareTexts(const fs::path& work, const std::string& bytes, const std::vector<std::u16string>& expected,
                    std::size_t allowedDifferences) {
  Faults faults;
  const fs::path file = work / "language.ini";
  WriteFileAtomically(file, Bytes(bytes.begin(), bytes.end()));
  const std::vector<std::u16string> lines = TextLines(IniFile::Load(file));
  std::size_t differences = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) differences += lines[i] != expected.at(i);
  Expect(faults, differences <= allowedDifferences, std::to_string(differences) + " texts differ from what stands");
  return faults;
}

void CheckLanguageFiles(Cases& cases) {
  const std::vector<std::u16string> defaults = TextLines(IniFile());
  const Bytes germanFile = ReadBytes(fs::path(VANTOR_SOURCE_DIR) / "res/lang/deutsch.ini");
  const std::string german(germanFile.begin(), germanFile.end());
  const std::vector<std::u16string> germanTexts = TextLines(IniFile::FromBytes(german));
  cases.Run("language: the German file replaces texts", [&](const fs::path&) {
    return germanTexts != defaults ? Faults() : Faults{"the German file is missing or changes nothing"};
  });

  const std::string megabyte(1 << 20, 'x');
  std::mt19937 random(7);
  const auto junk = [&random](std::size_t size, const std::string& head) {
    std::string bytes = head;
    while (bytes.size() < size) bytes += static_cast<char>(random() & 0xFF);
    return bytes;
  };
  std::string crOnly;
  for (int i = 0; i < 300000; ++i) crOnly += "line " + std::to_string(i) + "\r";

  // Files that hold no sound key: every text stays the default.
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"empty", ""},
      {"only the UTF-16 mark", "\xFF\xFE"},
      {"the UTF-16 mark and an odd byte", "\xFF\xFE["},
      {"the big-endian mark and an odd byte", "\xFE\xFF["},
      {"only the UTF-8 mark", "\xEF\xBB\xBF"},
      {"lone high surrogates", Utf16Le(std::u16string(64, u'\xD800'), true)},
      {"lone low surrogates", Utf16Le(std::u16string(64, u'\xDC00'), true)},
      {"surrogates in the wrong order, odd length", Utf16Le(u"\xDC01\xD801\xDC02\xD802", true) + "\x01"},
      {"the German file without its mark", german.substr(2)},
      {"the German file without its mark, odd length", german.substr(3)},
      {"a megabyte line", megabyte},
      {"a megabyte line in UTF-16", Utf16Le(std::u16string(1 << 20, u'y'), true)},
      {"a megabyte section name", "[" + megabyte + "]\r\nstr0=x\r\n"},
      {"a megabyte key name", "[MESSAGE]\r\n" + megabyte + "=x\r\n"},
      {"a megabyte header without its bracket", "[" + megabyte},
      {"lines ended by CR alone, megabytes of them", crOnly},
      {"binary junk", junk(65536, "")},
      {"binary junk after the UTF-16 mark", junk(65537, "\xFF\xFE")},
      {"binary junk after the UTF-8 mark", junk(65536, "\xEF\xBB\xBF")},
      {"NUL bytes", std::string(4096, '\0')},
  };
  for (const auto& [name, bytes] : broken) {
    cases.Run("language: " + name, [&](const fs::path& work) { return CompareTexts(work, bytes, defaults, 0); });
  }

  // Damage beside sound keys: what the sound keys say stands.
  const std::string body = german.substr(2);
  const std::size_t messages = body.find(Utf16Le(u"[MESSAGE]", false));
  const std::size_t str0 = body.find(Utf16Le(u"str0=", false), messages);
  const std::vector<std::tuple<std::string, std::string, std::size_t>> beside = {
      {"the German file with an odd byte at its end", german + "\x41", 0},
      {"the German file cut to an odd length", german.substr(0, german.size() - 1), 1},
      {"the German file with a lone surrogate in a message",
       "\xFF\xFE" + body.substr(0, str0 + 10) + Utf16Le(u"\xD800", false) + body.substr(str0 + 10), 1},
      {"the German file with a lone surrogate line",
       "\xFF\xFE" + body.substr(0, messages) + Utf16Le(u"\xDFFF\xD800\r\n", false) + body.substr(messages), 0},
  };
  for (const auto& [name, bytes, allowed] : beside) {
    cases.Run("language: " + name,
              [&](const fs::path& work) { return CompareTexts(work, bytes, germanTexts, allowed); });
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[2]) != "sample" && std::string(argv[2]) != "full")) {
    std::fprintf(stderr, "usage: damaged_files FOLDER sample|full\n");
    return 2;
  }
  const int step = std::string(argv[2]) == "full" ? 1 : kSampleStep;
  Cases cases;
  cases.folder = argv[1];
  std::error_code ignored;
  fs::remove_all(cases.folder, ignored);
  fs::create_directories(cases.folder);
  const auto start = std::chrono::steady_clock::now();

  CheckLibrary(cases, cases.folder, step);
  const int library = cases.count;
  CheckBackups(cases, step);
  const int backups = cases.count - library;
  CheckLanguageFiles(cases);

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("library: %d cases, backups: %d cases, language files: %d cases, %.1f s\n", library, backups,
              cases.count - library - backups, seconds);
  std::printf("damaged_file_cases: %d\n", cases.count);
  std::printf("damaged_file_failures: %d\n", cases.failures);
  return cases.failures == 0 ? 0 : 1;
}
