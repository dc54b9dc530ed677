#pragma once
// Key names in English for the US layout, for tests and for builds without the
// Windows keyboard layout.
#include "macro/KeyNames.h"

class EnglishKeyNames : public KeyNameSource {
 public:
  std::u16string NameForRequest(std::uint32_t request) override;
};
