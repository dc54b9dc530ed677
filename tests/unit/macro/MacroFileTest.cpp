#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/UiText.h"
#include "base/AtomicFile.h"
#include "base/IniFile.h"
#include "macro/MacroFile.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> FileWith(std::uint32_t count, const std::vector<std::uint8_t>& macro) {
  FileBytes file;
  file.Text("_@_MF1_").U32(count).data.insert(file.data.end(), macro.begin(), macro.end());
  return file.data;
}

class MacroFileTest : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path file = folder / "unnamed.mf";
};

}  // namespace

TEST_F(MacroFileTest, ExportsMagicCountAndBytesThatImportBack) {
  ASSERT_EQ(ExportMacroFile(file, NewMacro()), MacroFileWrite::kWritten);
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(ReadFileBytes(file, bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, FileWith(1, {0x04}));

  MacroCommands macro;
  const std::vector<std::uint8_t> longer = {0x05, 0x83, 0x04, 0x89, 0x00, 0x02, 0x84, 0x04, 0x7F};
  ParseMacroBytes(macro, longer.data(), longer.size());
  ASSERT_EQ(ExportMacroFile(file, macro), MacroFileWrite::kWritten);
  MacroCommands editor = NewMacro();
  ASSERT_EQ(ImportMacroFile(file, editor), MacroFileRead::kRead);
  EXPECT_EQ(EncodeMacro(editor), longer);
}

TEST_F(MacroFileTest, RefusesToExportMoreThanAnImportWouldReadBack) {
  MacroCommand wheel;
  wheel.length = 1;
  wheel.code[0] = 0x61;
  MacroCommands macro = NewMacro();
  macro.resize(kMacroFileMaxBytes + 1, wheel);
  Renumber(macro);
  ASSERT_EQ(MacroSize(macro), 20001u);
  std::string error;
  EXPECT_EQ(ExportMacroFile(file, macro, &error), MacroFileWrite::kTooLarge);
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(file));
  // The refusal is the text table's, which a language file may reword.
  EXPECT_EQ(MacroTooLargeText(LoadUiText(IniFile(), 5888).messageTexts[kMessageMacroTooLarge], 20001),
            u"This macro is 20001 bytes long. A macro file holds at most 20000 bytes, so it was not exported.");
  const UiText german = LoadUiText(IniFile::FromBytes("[MESSAGE]\nstr20=Zu lang: %d Bytes\n"), 5888);
  EXPECT_EQ(MacroTooLargeText(german.messageTexts[kMessageMacroTooLarge], 20001), u"Zu lang: 20001 Bytes");
  macro.pop_back();
  EXPECT_EQ(ExportMacroFile(file, macro), MacroFileWrite::kWritten);
}

TEST_F(MacroFileTest, ReadsNoMoreThan20000BytesNorMoreThanTheFileHolds) {
  std::vector<std::uint8_t> macro(30000, 0x61);
  macro[0] = 0x04;
  std::vector<std::uint8_t> read;
  const auto image = FileWith(30000, macro);
  ASSERT_EQ(ParseMacroFile(image.data(), image.size(), read), MacroFileRead::kRead);
  EXPECT_EQ(read.size(), 20000u);
  ASSERT_EQ(WriteFileAtomically(file, image), 1);
  MacroCommands editor = NewMacro();
  ASSERT_EQ(ImportMacroFile(file, editor), MacroFileRead::kRead);
  EXPECT_EQ(MacroSize(editor), 20000u);

  const auto shortImage = FileWith(500, {0x04, 0x21, 0x41, 0x89, 0x01});
  ASSERT_EQ(ParseMacroFile(shortImage.data(), shortImage.size(), read), MacroFileRead::kRead);
  EXPECT_EQ(read.size(), 5u);
}

TEST_F(MacroFileTest, AppendsAnImportToALongerMacroButLeavesItAloneForAForeignOrMissingFile) {
  MacroCommands editor = NewMacro();
  editor.push_back(MakeWait(10));
  editor.push_back(MakeWait(1000));
  Renumber(editor);
  const MacroCommands before = editor;
  EXPECT_EQ(ImportMacroFile(folder / "none.mf", editor), MacroFileRead::kCannotOpen);
  ASSERT_EQ(WriteFileAtomically(file, {0xFF, 0xFE, 0xFF, 1, 'x', 0}), 1);
  EXPECT_EQ(ImportMacroFile(file, editor), MacroFileRead::kWrongMagic);
  EXPECT_EQ(EncodeMacro(editor), EncodeMacro(before));

  ASSERT_EQ(WriteFileAtomically(file, FileWith(3, {0x05, 0x22, 0x42})), 1);
  ASSERT_EQ(ImportMacroFile(file, editor), MacroFileRead::kRead);
  ASSERT_EQ(editor.size(), 5u);
  EXPECT_EQ(editor[0].code[0], 0x04);
  EXPECT_EQ(editor[3].code[0], 0x22);
  EXPECT_EQ(editor[3].address, 3u + 3u);
}
