#pragma once
// A 32-bit bitmap selected into a memory device context, where a control
// composes its whole look before copying it to the screen in one step, so
// the screen never shows a half-drawn control.
#include <windows.h>

class OffscreenBuffer {
 public:
  OffscreenBuffer() = default;
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
  ~OffscreenBuffer();

  // Makes the buffer at least `width` x `height`, compatible with
  // `reference`; the same buffer serves every paint of that size. False
  // when the system refuses the bitmap or context.
  bool Ensure(HDC reference, int width, int height);

  HDC Dc() const { return dc; }
  // Copies the top-left `width` x `height` to (0, 0) of `target`.
  bool CopyTo(HDC target, int width, int height) const;

 private:
  void Release();

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  int width = 0;
  int height = 0;
};
