#include "app/win/WindowParts.h"

#include <ctime>
#include <fstream>
#include <sstream>

#include "app/AppState.h"
#include "app/IniPath.h"
#include "app/Notice.h"
#include "app/win/LibraryLocation.h"
#include "app/win/WinText.h"
#include "app/win/WindowMessages.h"
#include "base/DiagLog.h"
#include "base/Utf16.h"
#include "base/win/PrivateProfileIni.h"
#include "macro/LibraryFile.h"
#include "macro/MacroDirectory.h"
#include "res/resource.h"

WindowParts::~WindowParts() { TakeDown(); }

void WindowParts::Build(HWND owner, HINSTANCE instance) {
  window = owner;
  classCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
  tiltWaitEvent = CreateEventW(nullptr, TRUE, TRUE, L"LocalTiltWaitEvent");
  if (tiltWaitEvent) ResetEvent(tiltWaitEvent);
  tray.HoldMenu(instance);
  LoadLanguage();
  skinned = skin.Init(window, skinStyle, skinFonts, classCursor, App.hideAtStart);
  tray.Add(window, instance);
  StartSession();

  ControllerSetup setup;
  setup.showTipAtStart = App.showTipAtStart;
  setup.frame.hideAtStart = App.hideAtStart;
  setup.frame.tooltipExtraWidth = uiText.tooltipExtraWidth;
  controller = std::make_unique<WindowController>(*session, uiText, skin.Layout(), std::move(setup),
                                                  MacroParts{library, libraryView, keyNames}, hand.get());
  applier = std::make_unique<ActionApplier>(window, classCursor, skin, uiText, tray, tiltMutex, *session,
                                            [this](const WindowEvent& event) { return controller->Handle(event); });
  signals.Start(window);
  // Out of context, the hook's calls come through this thread's message loop.
  const bool watching = foreground.Start([this](const std::u16string& program) {
    WindowEvent changed{WindowEvent::Kind::kForegroundChanged};
    changed.text = program;
    applier->Apply(controller->Handle(changed));
  });
  diag::Write(watching ? "foreground watched" : "foreground not watched");
  tiltScroller = std::make_unique<TiltScroller>(tiltAccumulator, tiltWaitEvent);
  tiltScroller->Start();
}

// Fonts first, then the texts (they name fonts), then the skin's keys (they
// name texts); the tray menu takes its two texts from the table.
void WindowParts::LoadLanguage() {
  const std::u16string iniPath = LanguageIniPath(App.programDir, App.languageFile);
  diag::Write("language file: " + text::ToUtf8(iniPath));
  const PrivateProfileIni ini(ToWide(iniPath));
  skinFonts.Build(LoadSkinFonts(ini));
  uiText = LoadUiText(ini, kMacroAreaSize);
  skinStyle = LoadSkinStyle(ini);
  editFonts.Create(EditControlFont(FromWide(skinFonts.FamilyName(5))),
                   EditControlFont(FromWide(skinFonts.FamilyName(uiText.functionNameFonts[0]))));
  SendDlgItemMessageW(window, IDC_NAME_EDIT, WM_SETFONT, reinterpret_cast<WPARAM>(editFonts.NameEditorFont()), FALSE);
  for (int id : {IDC_RENAME_EDIT, IDC_NUMBER_EDIT}) {
    SendDlgItemMessageW(window, id, WM_SETFONT, reinterpret_cast<WPARAM>(editFonts.MacroEditorFont()), FALSE);
  }
  tray.SetMenuTexts(uiText.trayMenuTexts[0], uiText.trayMenuTexts[1]);
}

// The library, then the session with its connection; the first rescan tick
// then finds the mouse.
void WindowParts::StartSession() {
  const LibraryPlace place = LocateLibrary(App.programDir);
  const LibraryLoadReport loaded = LoadLibraryAt(place, library, libraryView, std::time(nullptr));
  diag::Writef("library: %d (0 loaded, 1 missing, 2 unreadable, 3 wrong magic, 4 damaged)",
               static_cast<int>(loaded.result));
  if (!loaded.keptAside.empty()) diag::Write("library: damaged file kept as " + loaded.keptAside.u8string());
  // Said once, at the start: every change of this run goes where it names.
  if (const std::optional<Notice> notice = LibraryLoadNotice(uiText, loaded, place.readFrom)) {
    MessageBoxW(window, ToWide(notice->text).c_str(), ToWide(notice->caption).c_str(), MB_OK | MB_ICONWARNING);
  }
  connectionEvents = std::make_unique<PostedConnectionEvents>(window);
  const HWND owner = window;
  SessionPlatform platform{devices.Link(),
                           *connectionEvents,
                           hostInput,
                           slotTimers,
                           tiltAccumulator,
                           [this] { PulseEvent(tiltWaitEvent); },
                           [owner] { PostMessageW(owner, kMsgSessionReports, 0, 0); }};
  session = std::make_unique<MouseSession>(platform, library, place.saveTo, uiText.labels[34].text);
  LoadProfileRules();

  sim::SimulatedHidPort* simulator = devices.Simulator();
  if (!simulator) return;
  hand = std::make_unique<SimulatorHand>(*simulator, *session, [owner](std::uint32_t kind, std::int64_t value) {
    PostMessageW(owner, kMsgSimulatorAction, kind, static_cast<LPARAM>(value));
  });
  if (const wchar_t* scriptFile = _wgetenv(L"VANTOR_SIM_SCRIPT")) {
    std::ifstream in(std::filesystem::path(FromWide(scriptFile)), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    hand->Play(text.str());
  }
}

// The rules that make the software profile follow the program in front; a
// damaged file is set aside and said, and the program goes on without rules.
void WindowParts::LoadProfileRules() {
  rulesPlace = LocateOwnFile(App.programDir, kRulesFileName, "rules");
  ProfileRules rules;
  const RulesLoadReport loaded = LoadRules(rulesPlace.readFrom, rules, std::time(nullptr));
  diag::Writef("rules: %d (0 loaded, 1 missing, 2 unreadable, 3 damaged), %d in force",
               static_cast<int>(loaded.result), static_cast<int>(rules.rules.size()));
  if (const std::optional<Notice> notice = RulesLoadNotice(uiText, loaded, rulesPlace.readFrom)) {
    MessageBoxW(window, ToWide(notice->text).c_str(), ToWide(notice->caption).c_str(), MB_OK | MB_ICONWARNING);
  }
  session->SetProfileRules(std::move(rules));
}

void WindowParts::TakeDown() {
  foreground.Stop();
  signals.Stop();
  if (hand) hand->Stop();
  if (controller) controller->BeginClosing();
  if (session) {
    // The arrival asks this thread for the tilt mutex: keep answering.
    session->Finish([] {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(5);
    });
  }
  if (tiltScroller) tiltScroller->Stop();
  tiltMutex.Release();
  tray.Remove();
  if (tiltWaitEvent) CloseHandle(tiltWaitEvent);
  tiltWaitEvent = nullptr;
}
