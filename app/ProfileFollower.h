#pragma once
// Which software profile the program in front calls for, as a state machine:
// foreground changes, the end of busy times and the profile button in, "switch
// to profile p" or nothing out. It decides only; the session carries a switch
// out as the profile button does.
#include "macro/ProfileRules.h"

// What the follower asks for when it wants nothing.
inline constexpr int kNoSwitch = -1;

class ProfileFollower {
 public:
  void SetRules(ProfileRules rules) { rules_ = std::move(rules); }
  const ProfileRules& Rules() const { return rules_; }

  // Another program came to the front. `current` is the current software
  // profile; while `busy` (an arrival or a device operation runs, or no mouse
  // is there) nothing switches and the decision waits for OnBusyCleared. The
  // same program again (another of its windows) is no change.
  int OnForegroundChange(const ForegroundProgram& program, int current, bool busy);
  // The busy time is over: the latest program in front gets its profile, when
  // a change waited for it.
  int OnBusyCleared(int current);
  // The user chose a profile with the profile button: it stands until the
  // next foreground change, even over a change that waited for a busy time.
  void OnProfileButton() { waiting_ = false; }

 private:
  int Decide(int current) const;

  ProfileRules rules_;
  ForegroundProgram front_;
  bool waiting_ = false;
};
