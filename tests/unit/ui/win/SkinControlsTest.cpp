#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>

#include "ui/ControlMessages.h"
#include "ui/SkinStyle.h"
#include "ui/win/OffscreenBuffer.h"
#include "ui/win/SkinButton.h"
#include "ui/win/SkinComboBox.h"
#include "ui/win/SkinSlider.h"

namespace {

// Real controls in a hidden parent window, skinned with the program's
// images when the built program is there to read them from.
class SkinControls : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 802, 614, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    assets.images = &images;
    assets.fonts = &fonts;
  }
  void TearDown() override {
    if (parent != nullptr) DestroyWindow(parent);
    if (module != nullptr) FreeLibrary(module);
    Gdiplus::GdiplusShutdown(token);
  }

  bool LoadProgramImages() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path);
    program = program.substr(0, program.find_last_of(L"\\/"));
    program = program.substr(0, program.find_last_of(L"\\/")) + L"\\Vantor3.exe";
    module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module != nullptr && images.LoadAll(module) > 0;
  }

  HWND Child(const wchar_t* className, const wchar_t* text, DWORD style, int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent, nullptr,
                           nullptr, nullptr);
  }

  // What the control paints, as 0x00RRGGBB at (x, y).
  static std::uint32_t Printed(HWND control, int x, int y) {
    RECT client{};
    GetClientRect(control, &client);
    OffscreenBuffer target;
    HDC screen = GetDC(nullptr);
    const bool ready = target.Ensure(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    if (!ready) return 0xFFFFFFFFu;
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc()), PRF_CLIENT);
    const COLORREF pixel = GetPixel(target.Dc(), x, y);
    return (static_cast<std::uint32_t>(GetRValue(pixel)) << 16) | (GetGValue(pixel) << 8) | GetBValue(pixel);
  }

  static std::uint32_t ImagePixel(Gdiplus::Bitmap* image, int x, int y) {
    Gdiplus::Color colour;
    image->GetPixel(x, y, &colour);
    return colour.GetValue() & 0x00FFFFFFu;
  }

  // Whether `message` was posted to the parent (with `wParam`), clearing the queue of it.
  bool Posted(UINT message, WPARAM wParam) const {
    MSG queued{};
    bool posted = false;
    while (PeekMessageW(&queued, parent, message, message, PM_REMOVE)) posted = posted || queued.wParam == wParam;
    return posted;
  }

  ULONG_PTR token = 0;
  HMODULE module = nullptr;
  HWND parent = nullptr;
  SkinImageSet images;
  SkinFontSet fonts;
  SkinAssets assets;
};

const ButtonColors kCaptionColors{{255, 255, 255}, {160, 160, 160}, {255, 255, 255}};

}  // namespace

TEST_F(SkinControls, ButtonShowsTheBackgroundAtItsPlaceAndItsHoverImageUnderThePointer) {
  if (!LoadProgramImages()) GTEST_SKIP() << "Vantor3.exe not built";
  HWND control = Child(L"BUTTON", L"", BS_OWNERDRAW, 10, 10);
  SkinButton button;
  ButtonStyle style = BuiltInSkinStyle().buttons[kStyleRecord];
  ASSERT_TRUE(button.Attach(control, assets, style, 341, 466, kCaptionColors, false));
  RECT placed{};
  GetWindowRect(control, &placed);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 341);
  EXPECT_EQ(placed.right - placed.left, 100) << "sized to its normal image";

  // The image's corners are transparent: the window background shows there.
  EXPECT_EQ(Printed(control, 0, 0), ImagePixel(images.Get(kWindowBackgroundImage), 341, 466));
  EXPECT_EQ(Printed(control, 50, 15), ImagePixel(images.Get(136), 50, 15));
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
  EXPECT_EQ(Printed(control, 50, 15), ImagePixel(images.Get(137), 50, 15));
}

TEST_F(SkinControls, ButtonPulseTimerRunsOnlyWhileTheDotShows) {
  HWND control = Child(L"BUTTON", L"", BS_OWNERDRAW, 100, 30);
  SkinButton button;
  ASSERT_TRUE(button.Attach(control, assets, ButtonStyle{}, 0, 0, kCaptionColors, false));
  EXPECT_FALSE(KillTimer(control, 1)) << "no timer while the dot is off";
  const std::uint32_t without = Printed(control, 14, 14);
  button.SetPulse(true);
  const std::uint32_t dot = Printed(control, 14, 14);
  EXPECT_GT(dot >> 16, without >> 16) << "the red dot shows in the button's middle left";
  button.SetPulse(false);
  EXPECT_FALSE(KillTimer(control, 1)) << "switching the dot off stops its timer";
  EXPECT_EQ(Printed(control, 14, 14), without);
  button.SetPulse(true);
  EXPECT_TRUE(KillTimer(control, 1));
}

TEST_F(SkinControls, AutomaticCheckBoxStillTogglesAndAnswersItsStateOnceOwnerDrawn) {
  HWND control = Child(L"BUTTON", L"", BS_AUTOCHECKBOX, 43, 57);
  SkinButton box;
  ASSERT_TRUE(box.Attach(control, assets, ButtonStyle{}, 400, 273, kCaptionColors, false));
  EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(control, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(control, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(SkinControls, SliderPostsUserMovesToItsParentButNotQuietOnes) {
  HWND control = Child(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS, 288, 30);
  SendMessageW(control, TBM_SETRANGE, TRUE, MAKELPARAM(1, 50));
  SkinSlider slider;
  ASSERT_TRUE(slider.Attach(control, assets, 204, 205, 110, 259, 288, 30, {{64, 64, 64}, {200, 200, 200}, {180, 180, 180}},
                            5, 5));
  Posted(kMsgSliderMoved, reinterpret_cast<WPARAM>(control));
  slider.SetPosQuiet(10);
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(SendMessageW(control, TBM_GETPOS, 0, 0), 10);
  EXPECT_FALSE(Posted(kMsgSliderMoved, reinterpret_cast<WPARAM>(control)));

  SendMessageW(control, TBM_SETPOS, TRUE, 20);
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 1));
  EXPECT_TRUE(Posted(kMsgSliderMoved, reinterpret_cast<WPARAM>(control)));
  SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(3, 1));
  EXPECT_FALSE(Posted(kMsgSliderMoved, reinterpret_cast<WPARAM>(control))) << "one message per position";
}

TEST_F(SkinControls, DropDownListTellsItsFocusAndOpensWideEnoughForItsWidestItem) {
  fonts.Build(BuiltInSkinFonts());
  const ButtonStyle style = BuiltInSkinStyle().buttons[kStyleList];
  const ListColors colors = ListColors::From({50, 60, 60}, {230, 230, 230}, {160, 160, 160}, {255, 255, 255});
  SkinComboBox refused;
  EXPECT_FALSE(refused.Attach(Child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST, 160, 200), assets, style, 0, 0, 160, 18,
                              colors))
      << "items that are not owner-drawn would keep the system's look";

  HWND control = Child(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, 160, 200);
  SkinComboBox combo;
  ASSERT_TRUE(combo.Attach(control, assets, style, 345, 119, 160, 18, colors));
  SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Left click"));
  SendMessageW(control, CB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(L"Macro: a long macro name, far wider than the list itself"));
  SendMessageW(control, WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(Posted(kMsgControlFocus, 0));

  SendMessageW(control, CB_SHOWDROPDOWN, TRUE, 0);
  const LRESULT width = SendMessageW(control, CB_GETDROPPEDWIDTH, 0, 0);
  SendMessageW(control, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_GT(width, 160 + GetSystemMetrics(SM_CXVSCROLL) + 8);
}
