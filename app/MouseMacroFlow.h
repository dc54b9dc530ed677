#pragma once
// Macros in the mouse's own memory as the window sees them: storing one and
// giving it to a button, removing one after a question, and packing the
// memory after the defragment question when its free bytes lie scattered.
// The session does the work; the flow keeps the progress panel (or, while
// the memory is packed, the full-window overlay), the busy flag and the
// closing message.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/MouseSession.h"
#include "app/UiText.h"
#include "app/WindowAction.h"
#include "ui/PaintSnapshot.h"

class MouseMacroFlow {
 public:
  // Message texts of the text table.
  static constexpr int kSaveCaption = 1;
  static constexpr int kDefragCaption = 3;
  static constexpr int kDefragQuestion = 4;
  static constexpr int kNotEnoughSpace = 5;
  static constexpr int kRemoveCaption = 6;
  static constexpr int kRemoveQuestion = 7;

  // `session` must outlive the flow.
  explicit MouseMacroFlow(MouseSession& session) : session(session) {}

  // `bytes` under `name` into the mouse, then `button` of mouse profile
  // `profile` plays it; `buttons` is what the window knows they play.
  void Store(std::u16string name, std::vector<std::uint8_t> bytes, int profile, int button,
             const device::MacroButtons& buttons, WindowActions& out);
  // Asks whether directory entry `entry`, named `name`, is to leave the mouse.
  void AskToRemove(int entry, const std::u16string& name, const UiText& texts, WindowActions& out);
  // The answer to one of the flow's questions; false when `about` is none of them.
  bool Answer(int about, bool yes, const device::MacroButtons& buttons, WindowActions& out);

  void Status(const device::StatusTextSlot& slot, WindowActions& out);
  void Progress(double fraction, WindowActions& out);
  void Ended(const device::MacroOperationResult& result, bool closing, WindowActions& out);

  bool Running() const { return running; }
  // The memory is being packed: the whole window is covered.
  bool Reorganising() const { return running && packing; }
  // The progress panel; while the memory is packed only its progress counts.
  BusyOverlay Panel(const UiText& texts) const;

 private:
  void Start(MacroJob job, WindowActions& out);
  void Tell(const std::u16string& text, int messageSlot, int captionSlot, WindowActions& out) const;

  MouseSession& session;
  bool running = false;
  bool packing = false;
  MacroJob::Kind kind = MacroJob::Kind::kStore;
  std::optional<device::StatusTextSlot> status;
  std::optional<double> fraction;
  // A store that waits for the defragment question, a removal for its own.
  std::optional<MacroJob> waitingStore;
  int waitingRemove = -1;
};
