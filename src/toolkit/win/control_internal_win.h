// Toolkit-internal access to controls from the Windows side.
#pragma once
#include <windows.h>

namespace toolkit {

class Control;

struct ControlAccess {
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static void RegisterClasses();
  static void InitCommonControlsOnce();
  static void PaintBuffered(Control* outer, HWND target, HDC dc);
  static void SyncBounds(Control* c);
  // The outermost double-buffered control that holds `c` (or `c` itself), or null.
  static Control* OutermostDoubleBuffered(Control* c);
};

}  // namespace toolkit
