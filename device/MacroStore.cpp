#include "device/MacroStore.h"

#include <algorithm>
#include <utility>

#include "base/DiagLog.h"
#include "device/MacroSpace.h"
#include "device/MemoryImage.h"

namespace device {
namespace {

constexpr std::uint16_t kEmptyWord = 0xFFFF;
constexpr int kButtonSlots = kResetProfiles * kButtonsPerProfile;

std::string Range(std::uint32_t start, std::size_t size) {
  return std::to_string(start) + " to " + std::to_string(start + size - 1);
}

}  // namespace

// One operation: its result, its progress, and the requests it checks.
class MacroStore::Run {
 public:
  Run(MacroStore& store, MacroOperationKind kind) : store_(store), session_(store.link_.DeviceLock()) {
    result.kind = kind;
  }

  MacroOperationResult result;

  // False when the path leads to no mouse; the result says so.
  bool Start() {
    if (Reachable(store_.link_, store_.path_)) return true;
    result.noMouse = true;
    result.problem = "no mouse";
    return false;
  }

  bool Refuse(std::string why) {
    result.refused = true;
    result.problem = std::move(why);
    return false;
  }

  // True when `taken` is 1; otherwise the operation stops and `what` names
  // what was left unwritten.
  bool Take(int taken, const std::string& what) {
    if (taken == 1) return true;
    result.failedRequest = true;
    result.mouseGone = !Reachable(store_.link_, store_.path_);
    result.problem = what + (result.mouseGone ? ": the mouse is gone" : ": the mouse did not take it");
    diag::Write("macro store: " + result.problem);
    return false;
  }

  bool ReadDirectory() {
    std::vector<std::uint8_t> directory;
    if (!Take(ReadMouseDirectory(store_.link_, store_.path_, directory, nullptr) ? 1 : 0,
              "the directory was not read")) {
      return false;
    }
    raw_ = directory;
    store_.macros_ = ParseMouseDirectory(directory.data());
    return true;
  }

  // The first entry whose start word marks it empty, or -1.
  int EmptyEntry() const {
    for (int entry = 0; entry < kDirectoryEntries; ++entry) {
      const std::size_t at = static_cast<std::size_t>(entry * kDirectoryEntrySize);
      if ((raw_[at] | (raw_[at + 1] << 8)) == kEmptyWord) return entry;
    }
    return -1;
  }

  void Plan(std::size_t bytes) { plannedBytes_ = std::max<std::size_t>(bytes, 1); }

  // Writes `bytes` at `start` of the macro area, never across a 32-byte page
  // (memory of this kind wraps a write within its page).
  bool WriteMacroBytes(int entry, std::uint32_t start, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const int address = kMacroAreaBase + static_cast<int>(start + done);
      const std::size_t room = static_cast<std::size_t>(kPageSize - address % kPageSize);
      const std::size_t chunk = std::min(room, bytes.size() - done);
      const int taken = chunk == static_cast<std::size_t>(kPageSize)
                            ? WritePage32(store_.link_, store_.path_, address, bytes.data() + done)
                            : WriteBytes(store_.link_, store_.path_, address, bytes.data() + done, static_cast<int>(chunk));
      if (!Take(taken, "entry " + std::to_string(entry) + ": bytes " +
                           Range(static_cast<std::uint32_t>(start + done), bytes.size() - done) + " not written")) {
        return false;
      }
      done += chunk;
      result.bytesWritten += static_cast<int>(chunk);
      Progress(chunk);
    }
    return true;
  }

  bool ReadMacroBytes(const MouseMacro& macro, std::vector<std::uint8_t>& bytes) {
    bytes.assign(macro.Size() + kReadChunk, 0);
    for (std::uint32_t at = 0; at < macro.Size(); at += kReadChunk) {
      if (!Take(ReadMemory7(store_.link_, store_.path_, kMacroAreaBase + static_cast<int>(macro.start + at),
                            bytes.data() + at),
                "entry " + std::to_string(macro.entry) + ": its bytes were not read; nothing was moved")) {
        return false;
      }
    }
    bytes.resize(macro.Size());
    return true;
  }

  bool WriteEntry(int entry, std::uint32_t start, std::size_t size, const std::u16string& name) {
    const int taken = WriteDirectoryEntry(store_.link_, store_.path_, entry, static_cast<std::uint16_t>(start),
                                          static_cast<std::uint16_t>(start + size - 1), name);
    if (!Take(taken, "entry " + std::to_string(entry) + " not written")) return false;
    ++result.entriesWritten;
    return true;
  }

  // Points an entry that keeps its name at another copy: both address words
  // in one committed write, so the entry never names a mixed range.
  bool PointEntry(int entry, std::uint32_t start, std::size_t size) {
    const std::uint32_t end = start + static_cast<std::uint32_t>(size) - 1;
    const std::uint8_t words[4] = {static_cast<std::uint8_t>(start & 0xFF), static_cast<std::uint8_t>(start >> 8),
                                   static_cast<std::uint8_t>(end & 0xFF), static_cast<std::uint8_t>(end >> 8)};
    const int taken = WriteBytes(store_.link_, store_.path_, entry * kDirectoryEntrySize, words, 4);
    if (!Take(taken, "entry " + std::to_string(entry) + " not pointed at " + Range(start, size))) return false;
    ++result.entriesWritten;
    return true;
  }

  bool ClearEntry(int entry) {
    if (!Take(WriteDirectoryEntry(store_.link_, store_.path_, entry, kEmptyWord, kEmptyWord, u""),
              "entry " + std::to_string(entry) + " not cleared")) {
      return false;
    }
    ++result.entriesWritten;
    return true;
  }

  bool SendButton(int slot, AssignedFunction function) {
    const int profile = slot / kButtonsPerProfile;
    const int button = slot % kButtonsPerProfile;
    const int taken = SetButtonFunction(store_.link_, store_.path_, profile, button, function.kind, function.code,
                                        store_.table_);
    if (!Take(taken, "button " + std::to_string(button) + " of profile " + std::to_string(profile) + " not set")) {
      return false;
    }
    store_.buttons_.functions[static_cast<std::size_t>(slot)] = function;
    ++result.buttonsSent;
    return true;
  }

  std::vector<int> SlotsPlaying(std::uint32_t start) const {
    std::vector<int> slots;
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      const AssignedFunction now = store_.buttons_.functions[static_cast<std::size_t>(slot)];
      if (now.kind == kMacroFunction && now.code == start) slots.push_back(slot);
    }
    return slots;
  }

  bool SendSlots(const std::vector<int>& slots, AssignedFunction function) {
    for (int slot : slots) {
      if (!SendButton(slot, function)) return false;
    }
    return true;
  }

  // Every button known to play `start` plays `to` instead (its own function
  // when `to` is the empty word).
  bool Retarget(std::uint32_t start, std::uint16_t to) {
    return SendSlots(SlotsPlaying(start), to == kEmptyWord ? AssignedFunction{} : AssignedFunction{kMacroFunction, to});
  }

  // With unknown assignments, every button of every profile.
  bool ReleaseUnknownButtons() {
    if (store_.buttons_.known) return true;
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      if (!SendButton(slot, AssignedFunction{})) return false;
    }
    store_.buttons_.known = true;
    result.buttonsReleased = true;
    return true;
  }

  // The directory as it now is; a failed read leaves the last one.
  void Finish() {
    std::vector<std::uint8_t> directory;
    if (ReadMouseDirectory(store_.link_, store_.path_, directory, nullptr)) {
      store_.macros_ = ParseMouseDirectory(directory.data());
    }
    if (store_.progress_) store_.progress_->ShowFraction(0.0);
  }

 private:
  void Progress(std::size_t bytes) {
    doneBytes_ += bytes;
    if (store_.progress_) {
      store_.progress_->ShowFraction(std::min(1.0, static_cast<double>(doneBytes_) / static_cast<double>(plannedBytes_)));
    }
  }

  MacroStore& store_;
  SessionHold session_;
  std::vector<std::uint8_t> raw_;
  std::size_t plannedBytes_ = 1;
  std::size_t doneBytes_ = 0;
};

std::vector<std::uint8_t> MouseMacroBytes(const MacroCommands& commands) {
  std::vector<std::uint8_t> bytes = EncodeMacro(commands);
  bytes.push_back(0x00);
  return bytes;
}

MacroStore::MacroStore(HidLink& link, DevicePath path, MacroButtons& buttons, OperationProgress* progress,
                       ButtonFunctionTable* table)
    : link_(link), path_(std::move(path)), buttons_(buttons), progress_(progress), table_(table) {}

bool MacroStore::Refresh() {
  std::vector<std::uint8_t> directory;
  if (!ReadMouseDirectory(link_, path_, directory, nullptr)) return false;
  macros_ = ParseMouseDirectory(directory.data());
  return true;
}

MacroOperationResult MacroStore::Store(const std::u16string& name, const std::vector<std::uint8_t>& bytes) {
  Run run(*this, MacroOperationKind::kStore);
  MacroOperationResult& result = run.result;
  if (name.empty() || name.size() > static_cast<std::size_t>(kDirectoryNameChars)) {
    run.Refuse("a macro name has 1 to 14 characters");
    return result;
  }
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(kMacroAreaSize)) {
    run.Refuse("a macro has 1 to " + std::to_string(kMacroAreaSize) + " bytes");
    return result;
  }
  if (!run.Start() || !run.ReadDirectory()) return result;
  const auto size = static_cast<std::uint32_t>(bytes.size());
  const auto same = std::find_if(macros_.begin(), macros_.end(), [&](const MouseMacro& m) { return m.name == name; });
  std::vector<MouseMacro> others = macros_;
  if (same != macros_.end()) others.erase(others.begin() + (same - macros_.begin()));
  const MacroSpace withoutOld(others);
  run.Plan(bytes.size());

  if (same != macros_.end()) {
    const MouseMacro old = *same;
    result.entry = old.entry;
    result.replaced = true;
    if (!run.ReleaseUnknownButtons()) {
      run.Finish();
      return result;
    }
    // Over its own range when it fits there: no button may play it while
    // it is half rewritten, and the entry is empty meanwhile.
    for (const MacroRange& free : withoutOld.FreeRuns()) {
      if (free.start <= old.start && old.start + size <= free.start + free.size) {
        result.start = old.start;
        const std::vector<int> playing = run.SlotsPlaying(old.start);
        run.SendSlots(playing, AssignedFunction{}) && run.ClearEntry(old.entry) &&
            run.WriteMacroBytes(old.entry, old.start, bytes) && run.WriteEntry(old.entry, old.start, bytes.size(), name) &&
            run.SendSlots(playing, AssignedFunction{kMacroFunction, static_cast<std::uint16_t>(old.start)});
        run.Finish();
        return result;
      }
    }
  }
  const Allocation place = (same != macros_.end() ? MacroSpace(macros_) : withoutOld).Allocate(size);
  if (place.verdict != SpaceVerdict::kFits) {
    const bool missing = withoutOld.Allocate(size).verdict == SpaceVerdict::kNotEnoughSpace;
    result.notEnoughSpace = missing;
    result.needsDefragment = !missing;
    result.problem = missing ? "not enough free bytes" : "no free run long enough: defragment the memory";
    return result;
  }
  result.start = place.start;
  if (same != macros_.end()) {
    run.WriteMacroBytes(same->entry, place.start, bytes) && run.PointEntry(same->entry, place.start, bytes.size()) &&
        run.Retarget(same->start, static_cast<std::uint16_t>(place.start));
  } else {
    result.entry = run.EmptyEntry();
    if (result.entry < 0) {
      run.Refuse("all 64 directory entries are in use");
      return result;
    }
    run.WriteMacroBytes(result.entry, place.start, bytes) && run.WriteEntry(result.entry, place.start, bytes.size(), name);
  }
  run.Finish();
  return result;
}

MacroOperationResult MacroStore::Remove(int entry) {
  Run run(*this, MacroOperationKind::kRemove);
  MacroOperationResult& result = run.result;
  result.entry = entry;
  if (!run.Start() || !run.ReadDirectory()) return result;
  const auto macro = std::find_if(macros_.begin(), macros_.end(), [&](const MouseMacro& m) { return m.entry == entry; });
  if (macro == macros_.end()) {
    run.Refuse("entry " + std::to_string(entry) + " holds no macro");
    return result;
  }
  run.ReleaseUnknownButtons() && run.Retarget(macro->start, kEmptyWord) && run.ClearEntry(entry);
  run.Finish();
  return result;
}

MacroOperationResult MacroStore::Defragment() {
  Run run(*this, MacroOperationKind::kDefragment);
  MacroOperationResult& result = run.result;
  if (!run.Start() || !run.ReadDirectory()) return result;
  const DefragmentPlan plan = PlanDefragment(MacroSpace(macros_).Ranges());
  if (plan.overlapping) {
    run.Refuse("two directory entries share bytes; nothing was moved");
    return result;
  }
  result.leftInPlace = plan.leftInPlace;
  if (plan.moves.empty()) {
    run.Finish();
    return result;
  }
  // Every byte that moves is read before the first write.
  std::vector<std::pair<int, std::vector<std::uint8_t>>> copies;
  std::size_t planned = 0;
  for (const MacroMove& move : plan.moves) planned += move.size;
  run.Plan(planned);
  for (const MouseMacro& macro : macros_) {
    const bool moves = std::any_of(plan.moves.begin(), plan.moves.end(), [&](const MacroMove& m) { return m.entry == macro.entry; });
    if (!moves) continue;
    copies.emplace_back(macro.entry, std::vector<std::uint8_t>{});
    if (!run.ReadMacroBytes(macro, copies.back().second)) return result;
  }
  if (!run.ReleaseUnknownButtons()) {
    run.Finish();
    return result;
  }
  for (const MacroMove& move : plan.moves) {
    const auto copy = std::find_if(copies.begin(), copies.end(), [&](const auto& c) { return c.first == move.entry; });
    if (!run.WriteMacroBytes(move.entry, move.to, copy->second) || !run.PointEntry(move.entry, move.to, move.size) ||
        !run.Retarget(move.from, static_cast<std::uint16_t>(move.to))) {
      break;
    }
    ++result.macrosMoved;
  }
  run.Finish();
  return result;
}

}  // namespace device
