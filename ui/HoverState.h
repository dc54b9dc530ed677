#pragma once
// Pointer tracking shared by the skinned controls: hover from the first move
// until the system reports that the pointer left, pressed between the left
// button going down and up, and which cursor the control shows.

// The cursor a control shows while the pointer is over it. The skin sets it
// per window, so other controls of the same class keep their own.
enum class HoverCursor {
  Unchanged,  // nothing decided yet: the window's default applies
  Hand,
  Parent,     // the main window's own cursor (a slider away from its thumb)
};

struct HoverAction {
  bool repaint = false;
  // Ask the system for one mouse-leave notification.
  bool trackLeave = false;
  HoverCursor cursor = HoverCursor::Unchanged;
};

class HoverState {
 public:
  // Buttons and sliders also track the left button; lists do not.
  explicit HoverState(bool tracksPress) : tracksPress(tracksPress) {}

  // `overHandArea` is false where the control wants the main window's cursor
  // instead of the hand (a slider outside its thumb).
  HoverAction OnMouseMove(bool overHandArea = true);
  HoverAction OnMouseLeave();
  HoverAction OnLeftDown();
  // Releasing the button clears hover as well, until the pointer moves again.
  HoverAction OnLeftUp();

  bool Hover() const { return hover; }
  bool Pressed() const { return pressed; }
  HoverCursor Cursor() const { return cursor; }

 private:
  bool tracksPress;
  bool hover = false;
  bool pressed = false;
  HoverCursor cursor = HoverCursor::Unchanged;
};
