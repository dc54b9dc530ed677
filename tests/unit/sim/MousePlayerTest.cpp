// The simulated mouse playing its own stored macros, checked against literal
// bytes so that a wrong constant on either side fails.
#include <gtest/gtest.h>

#include "sim/MousePlayer.h"
#include "sim/SimulatedMouse.h"

namespace {

// Macro bytes at macro-area address 10 of an erased memory.
std::array<std::uint8_t, 8192> MemoryWith(std::initializer_list<std::uint8_t> bytes) {
  std::array<std::uint8_t, 8192> memory{};
  memory.fill(0xFF);
  std::copy(bytes.begin(), bytes.end(), memory.begin() + 2048 + 10);
  return memory;
}

}  // namespace

TEST(MousePlayer, PlaysEveryKindOfCommandAndStopsWhereTheMacroDoes) {
  const auto memory = MemoryWith({0x05,              // loop mode: one pass per press
                                  0x83, 0x04, 0x88, 0x32, 0x84, 0x04,  // A, 50 ms
                                  0x85, 0xE9, 0x00, 0x85, 0x00, 0x00,  // volume up and release
                                  0x21, 0x41, 0x7F, 0x6F,              // left button, wheel -1 and +15
                                  0x18, 0x02, 0x00,                    // counter 2
                                  0x89, 0x00, 0x01,                    // address 20: 256 ms
                                  0x10, 0x14, 0x00,                    // back to 20 once
                                  0x80, 1, 2, 3, 4, 0x81, 9, 0xC3,     // carried, no output
                                  0x00, 0x83, 0x05});
  const std::vector<std::string> expected = {
      "0D 01 04 00 00 00 00 08", "wait 50", "0D 02 04 00 00 00 00 0B", "0D 03 E9 00 00 00 00 E7",
      "0D 03 00 00 00 00 00 0E", "0D 04 01 00 00 00 00 08", "0D 04 00 01 00 00 00 08", "wheel -1", "wheel 15",
      "wait 256",                "wait 256"};
  EXPECT_EQ(sim::PlayStoredMacro(memory, 10), expected);
  EXPECT_EQ(sim::PlayStoredMacro(MemoryWith({0x83, 0x04}), 10), std::vector<std::string>{}) << "no mode byte";
  EXPECT_EQ(sim::PlayStoredMacro(MemoryWith({0x04, 0x83, 0x04, 0x02, 0x83, 0x05}), 10),
            std::vector<std::string>{"0D 01 04 00 00 00 00 08"})
      << "an invalid byte ends the play";
  EXPECT_EQ(sim::PlayStoredMacro(MemoryWith({0x04, 0x83, 0x04, 0x08, 0x01, 0x00}), 10).size(), 2048u)
      << "an endless jump ends after 4096 commands";
}

TEST(MousePlayer, APressPlaysOnlyButtonsTheMaskLeavesToTheMouse) {
  sim::SimulatedMouse mouse;
  std::copy_n(MemoryWith({0x04, 0x83, 0x04, 0x84, 0x04, 0x00}).begin() + 2048 + 10, 6, mouse.memory.begin() + 2048 + 10);
  mouse.buttonFunctions[0][4] = {0x80, 10};
  mouse.buttonFunctions[0][8] = {0x80, 10};
  mouse.buttonFunctions[1][4] = {0x80, 10};
  mouse.PressButtons(0x0010);
  EXPECT_EQ(mouse.ownOutput.size(), 2u) << "no masks: the mouse handles every button";
  mouse.PressButtons(0x0010);
  EXPECT_EQ(mouse.ownOutput.size(), 2u) << "held, not pressed again";
  mouse.PressButtons(0x0000, -1);
  EXPECT_EQ(mouse.ownOutput.size(), 2u) << "wheel down is button 9, which plays nothing";
  mouse.PressButtons(0x0000, 1);
  EXPECT_EQ(mouse.ownOutput.size(), 4u) << "wheel up is button 8";
  mouse.masked = true;
  mouse.maskA = 0xEF;  // button 4 to the program
  mouse.maskB = 0xFF;
  mouse.PressButtons(0x0010);
  EXPECT_EQ(mouse.ownOutput.size(), 4u);
  mouse.maskA = 0xFF;
  mouse.playingProfile = 1;
  mouse.PressButtons(0x0000);
  mouse.PressButtons(0x0010);
  EXPECT_EQ(mouse.ownOutput.size(), 6u);
}
