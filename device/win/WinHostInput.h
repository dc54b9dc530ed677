#pragma once
#include "device/HostInput.h"

namespace device {

// Wheel steps injected with SendInput, tagged so they can be told apart from
// the user's own.
class WinHostInput final : public HostInput {
 public:
  void Wheel(int notches) override;
};

}  // namespace device
