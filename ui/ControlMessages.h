#pragma once
// Messages the skinned controls post to their parent window. Their values sit
// among the program's own messages and are fixed with them.

inline constexpr int kMsgControlFocus = 11881;  // a skinned list or combo gained or lost focus
inline constexpr int kMsgSliderMoved = 11882;   // a skinned slider moved
