#pragma once
// What the window tells the user in a message box when a long device
// operation ends or when the library file could not be used: caption and
// text from the text table, so a language file can reword every line.
#include <filesystem>
#include <optional>
#include <string>

#include "app/UiText.h"
#include "device/OperationResult.h"
#include "macro/LibraryFile.h"
#include "macro/ProfileRules.h"

struct Notice {
  std::u16string caption;
  std::u16string text;
};

// The closing message of a backup, restore or reset: "Completed !!" when
// nothing failed, otherwise what stopped the operation and how many requests
// the mouse did not take; then one line for each level a restore left alone.
Notice OperationNotice(const UiText& texts, const device::OperationResult& result);

// What the user must hear about loading `file`: nothing when it was read
// whole without bytes left over, or is missing.
std::optional<Notice> LibraryLoadNotice(const UiText& texts, const LibraryLoadReport& report,
                                        const std::filesystem::path& file);

// What the user must hear about loading the profile rules from `file`:
// nothing when they were read or there are none.
std::optional<Notice> RulesLoadNotice(const UiText& texts, const RulesLoadReport& report,
                                      const std::filesystem::path& file);
