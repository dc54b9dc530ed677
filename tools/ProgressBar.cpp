#include "tools/ProgressBar.h"

#include <algorithm>

#include "base/Utf16.h"

namespace {
constexpr int kBarWidth = 30;
}  // namespace

void ProgressBar::ShowFraction(double fraction) {
  const int percent = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0);
  // A memory read reports 1171 times; only a visible change is drawn. The
  // window's panel is emptied when a part is done; a bar stays full instead.
  if (percent == percent_ || (percent == 0 && percent_ == 100)) return;
  percent_ = percent;
  Draw();
}

void ProgressBar::ShowStatus(device::OperationStatus, const std::u16string& text) {
  status_ = text::ToUtf8(text);
  percent_ = 0;
  Draw();
}

void ProgressBar::Draw() {
  if (!enabled_) return;
  const int filled = std::max(0, percent_) * kBarWidth / 100;
  err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
       << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] ";
  err_.width(3);
  // Blanks behind cover what a longer status left on the line.
  err_ << std::max(0, percent_) << "% " << status_ << "    " << std::flush;
  drawn_ = true;
}

void ProgressBar::Finish() {
  if (drawn_) err_ << '\n' << std::flush;
  drawn_ = false;
}
