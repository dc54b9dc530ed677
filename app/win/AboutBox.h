#pragma once
#include <windows.h>

// The About box (dialog resource 100), modal over `owner`.
void ShowAboutBox(HINSTANCE instance, HWND owner);
