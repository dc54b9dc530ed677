#include "ui/ProfileNamePainter.h"

#include "base/TemplateFormatter.h"
#include "ui/SkinLayout.h"

namespace {

constexpr Rgba kNumberField{35, 40, 48, 255};
constexpr int kNumberFieldCorner = 6;

}  // namespace

std::u16string ProfileRowName(int row, const std::array<std::u16string, 5>& reportedNames) {
  if (row >= 0 && row < static_cast<int>(reportedNames.size()) && !reportedNames[static_cast<size_t>(row)].empty()) {
    return reportedNames[static_cast<size_t>(row)];
  }
  return text::FormatTemplate(u"profile %d", {text::TemplateArg::Int(row + 1)});
}

void PaintProfileNames(const PaintSnapshot& snapshot, Canvas& canvas) {
  const std::array<ProfileNameRow, 7>& rows = ProfileNameRows();
  for (size_t k = 0; k < rows.size(); ++k) {
    const ProfileNameRow& row = rows[k];
    canvas.DrawImage(row.stripImage, row.strip.x, row.strip.y);
    canvas.FillRoundRect(row.numberField, kNumberFieldCorner, kNumberField);
    TextStyle style;
    style.font = row.font;
    style.color = {row.textColour.red, row.textColour.green, row.textColour.blue, 255};
    style.vertical = TextAlign::Center;
    style.horizontal = TextAlign::Center;
    const int number = static_cast<int>(k) + 1;
    canvas.DrawText(text::FormatTemplate(u"%d", {text::TemplateArg::Int(number)}), row.numberField, style);
    style.horizontal = TextAlign::Near;
    canvas.DrawText(ProfileRowName(static_cast<int>(k), snapshot.buttonPage.mouseProfileNames), row.nameField, style);
  }
}
