#pragma once
// A slider tells the main window about every position it is seen at, except
// the ones the program itself set quietly (when it shows a stored level).
struct SliderChangeAction {
  bool repaint = false;
  bool postMoved = false;
};

class SliderChange {
 public:
  // `position` is where the slider stands when it is attached: not a move.
  explicit SliderChange(int position = 0) : last(position) {}

  // The next position seen is the program's own doing.
  void SetQuiet() { quiet = true; }
  // The slider's position as read now; clears the quiet flag.
  SliderChangeAction OnPosition(int position);

  int Position() const { return last; }

 private:
  int last;
  bool quiet = false;
};
