#include "app/MouseMacroFlow.h"

#include "app/DeviceOperationFlow.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "ui/SkinLayout.h"

void MouseMacroFlow::Store(std::u16string name, std::vector<std::uint8_t> bytes, int profile, int button,
                           const device::MacroButtons& buttons, WindowActions& out) {
  MacroJob job;
  job.kind = MacroJob::Kind::kStore;
  job.name = std::move(name);
  job.bytes = std::move(bytes);
  job.profile = profile;
  job.button = button;
  job.buttons = buttons;
  Start(std::move(job), out);
}

void MouseMacroFlow::AskToRemove(int entry, const std::u16string& name, const UiText& texts, WindowActions& out) {
  if (running || session.OperationBusy()) return;
  waitingRemove = entry;
  WindowAction ask{ActionKind::kAskYesNo};
  ask.id = kAboutRemoveMouseMacro;
  ask.text = FormatNamedMessage(texts.messageTexts[kRemoveQuestion], name);
  ask.captionSlot = kRemoveCaption;
  out.Push(ask);
}

bool MouseMacroFlow::Answer(int about, bool yes, const device::MacroButtons& buttons, WindowActions& out) {
  if (about == kAboutRemoveMouseMacro) {
    const int entry = waitingRemove;
    waitingRemove = -1;
    if (!yes || entry < 0) return true;
    MacroJob job;
    job.kind = MacroJob::Kind::kRemove;
    job.entry = entry;
    job.buttons = buttons;
    Start(std::move(job), out);
    return true;
  }
  if (about != kAboutDefragment) return false;
  std::optional<MacroJob> job;
  job.swap(waitingStore);
  if (!yes || !job) return true;
  job->kind = MacroJob::Kind::kDefragmentAndStore;
  // The buttons may have changed while the question was open.
  job->buttons = buttons;
  Start(std::move(*job), out);
  return true;
}

void MouseMacroFlow::Start(MacroJob job, WindowActions& out) {
  if (running) return;
  std::atomic<bool>& busy = session.OperationBusy();
  if (busy.exchange(true)) {
    Tell(u"", kMessageMouseBusy, kSaveCaption, out);
    return;
  }
  kind = job.kind;
  if (job.kind != MacroJob::Kind::kRemove) waitingStore = job;
  if (!session.StartMacroOperation(std::move(job))) {
    busy = false;
    diag::Write("a macro operation waits for the last one");
    return;
  }
  running = true;
  packing = kind == MacroJob::Kind::kDefragmentAndStore;
  status.reset();
  fraction.reset();
  // The lists would send assignments of their own meanwhile; the end fills
  // them again. Packing hides them: they would stand over the overlay.
  for (int id : kFunctionListIds) out.AddWithId(packing ? ActionKind::kHideControl : ActionKind::kDisableControl, id);
  out.Add(ActionKind::kSetControlsChanged);
  out.Add(ActionKind::kSetWaitCursor);
  out.Add(ActionKind::kRepaintWindow);
}

void MouseMacroFlow::Status(const device::StatusTextSlot& slot, WindowActions& out) {
  if (!running) return;
  status = slot;
  out.RepaintRect(ProgressRepaintRect());
}

void MouseMacroFlow::Progress(double value, WindowActions& out) {
  if (!running || fraction == value) return;
  fraction = value;
  out.RepaintRect(ProgressRepaintRect());
}

BusyOverlay MouseMacroFlow::Panel(const UiText& texts) const {
  BusyOverlay panel;
  if (!running) return panel;
  panel.progress = fraction;
  if (packing) return panel;
  panel.counter = 1;
  panel.rect = ProgressPanelRect();
  if (status) panel.text = StatusTextOf(texts, *status);
  return panel;
}

void MouseMacroFlow::Ended(const device::MacroOperationResult& result, bool closing, WindowActions& out) {
  if (!running) return;
  const bool packed = packing;
  running = false;
  packing = false;
  if (packed) {
    for (int id : kFunctionListIds) out.AddWithId(ActionKind::kShowControl, id);
    out.Add(ActionKind::kSetControlsChanged);
  }
  out.Add(ActionKind::kRestoreClassCursor);
  out.Add(ActionKind::kRepaintWindow);
  std::optional<MacroJob> store;
  store.swap(waitingStore);
  if (closing) return;
  const int caption = kind == MacroJob::Kind::kRemove ? kRemoveCaption : packed ? kDefragCaption : kSaveCaption;
  if (result.needsDefragment && !packed && store) {
    // The bytes are there, only scattered: packing them is the user's call.
    waitingStore = std::move(store);
    WindowAction ask{ActionKind::kAskYesNo};
    ask.id = kAboutDefragment;
    ask.messageSlot = kDefragQuestion;
    ask.captionSlot = kDefragCaption;
    out.Push(ask);
  } else if (result.notEnoughSpace || result.needsDefragment) {
    Tell(u"", kNotEnoughSpace, caption, out);
  } else if (result.noMouse) {
    Tell(u"", kMessageNoMouse, caption, out);
  } else if (result.mouseGone) {
    Tell(u"", kMessageMouseGone, caption, out);
  } else if (result.Failed() || !result.problem.empty()) {
    Tell(text::FromUtf8(result.problem), 0, caption, out);
  } else if (result.buttonsReleased) {
    Tell(u"", kMessageButtonsReleased, caption, out);
  }
}

void MouseMacroFlow::Tell(const std::u16string& text, int messageSlot, int captionSlot, WindowActions& out) const {
  WindowAction message{ActionKind::kShowMessage};
  message.text = text;
  message.messageSlot = messageSlot;
  message.captionSlot = captionSlot;
  out.Push(message);
}
