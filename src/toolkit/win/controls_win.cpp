// Panel, group box, scroll box, paint box, splitter and progress bar.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/win/message_loop_win.h"
#include "toolkit/win/control_internal_win.h"
#include "toolkit/win/controls_win.h"

namespace toolkit {

namespace {

constexpr uint32_t kPanelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX | SS_LEFTNOWORDWRAP;
constexpr uint32_t kGroupBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP | BS_GROUPBOX;
constexpr UINT_PTR kSplitterTimer = 1;

}  // namespace

Panel::Panel(Control* parent, Edge edge) : Control(parent) {
  CreateArgs a;
  a.className = "STATIC";
  a.style = kPanelStyle;
  if (edge == Edge::Raised) a.style |= WS_DLGFRAME;
  a.exStyle = WS_EX_CONTROLPARENT;
  SetCreateArgs(a);
  FillBackgroundOnErase();
}

bool Panel::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  if (Control::HandleMessage(msg, wParam, lParam, result)) return true;
  HWND hwnd = static_cast<HWND>(hwnd_);
  switch (msg) {
    case WM_PAINT:
      if (wParam == 0) {
        // The background is all a panel shows.
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
      }
      result = 0;
      return true;
    case WM_PRINTCLIENT:
      result = 0;
      return true;
    default:
      return false;
  }
}

GroupBox::GroupBox(Control* parent, const std::string& caption) : Control(parent) {
  CreateArgs a;
  a.className = "BUTTON";
  a.style = kGroupBoxStyle;
  a.text = caption;
  SetCreateArgs(a);
  SetMargins(Margins{22, 2, 2, 2});
  SetTabStop(false);
  // The button class draws only the frame and caption; the inside is ours to fill.
  FillBackgroundOnErase();
}

ScrollBox::ScrollBox(Control* parent) : Control(parent) {
  CreateArgs a;
  a.className = "ScrollBox";
  a.style = WS_VISIBLE;
  a.exStyle = WS_EX_CLIENTEDGE;
  SetCreateArgs(a);
  FillBackgroundOnErase();
}

PaintBox::PaintBox(Control* parent) : Panel(parent, Edge::None) {}

bool PaintBox::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  HWND hwnd = static_cast<HWND>(hwnd_);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Control* outer = ControlAccess::OutermostDoubleBuffered(Parent());
      if (outer && outer->HasHandle())
        ControlAccess::PaintBuffered(outer, hwnd, dc);  // one copy from the buffer
      else if (onPaint)
        onPaint(*this, dc);
      EndPaint(hwnd, &ps);
      result = 0;
      return true;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (msg == WM_PRINT && (lParam & PRF_ERASEBKGND)) PaintBackground(dc);
      if (onPaint) onPaint(*this, dc);
      result = 0;
      return true;
    }
    default:
      return Panel::HandleMessage(msg, wParam, lParam, result);
  }
}

Splitter::Splitter(Control* parent, int minBefore, int minAfter, Edge edge)
    : Panel(parent, edge), minBefore_(minBefore), minAfter_(minAfter) {
  // Takes the alignment of the control created just before it.
  if (Control* before = Before()) {
    Align a = before->GetAlign();
    SetAlign(a);
    SetCursor((a == Align::Top || a == Align::Bottom) ? CursorKind::SizeNS : CursorKind::SizeWE);
  }
}

Control* Splitter::Before() {
  const auto& siblings = Parent()->Children();
  for (size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i] == this) return i > 0 ? siblings[i - 1] : nullptr;
  return nullptr;
}

// The control that takes the rest: the client-aligned sibling.
Control* Splitter::After() {
  for (Control* c : Parent()->Children())
    if (c != this && c->GetAlign() == Align::Client) return c;
  return nullptr;
}

bool Splitter::Vertical() const { return GetAlign() == Align::Top || GetAlign() == Align::Bottom; }

void Splitter::DragTo(int screenPos) {
  Control* before = Before();
  if (!before) return;
  int delta = screenPos - startMouse_;
  if (GetAlign() == Align::Right || GetAlign() == Align::Bottom) delta = -delta;
  int size = startSize_ + delta;
  Control* after = After();
  int afterSize = after ? (Vertical() ? after->Height() : after->Width()) : 0;
  int current = Vertical() ? before->Height() : before->Width();
  int maxSize = current + afterSize - minAfter_;
  if (size > maxSize) size = maxSize;
  if (size < minBefore_) size = minBefore_;
  if (size < 0) size = 0;
  if (Vertical()) before->SetBounds(before->Left(), before->Top(), before->Width(), size);
  else before->SetBounds(before->Left(), before->Top(), size, before->Height());
}

void Splitter::EndDrag(bool restore) {
  if (!dragging_) return;
  dragging_ = false;
  KillTimer(static_cast<HWND>(hwnd_), kSplitterTimer);
  if (GetCapture() == static_cast<HWND>(hwnd_)) ReleaseCapture();
  if (restore) {
    Control* before = Before();
    if (before) {
      if (Vertical()) before->SetBounds(before->Left(), before->Top(), before->Width(), startSize_);
      else before->SetBounds(before->Left(), before->Top(), startSize_, before->Height());
    }
  }
}

bool Splitter::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  HWND hwnd = static_cast<HWND>(hwnd_);
  // The mouse position of the message itself, on the screen: the splitter moves while
  // it is dragged, so its client coordinates are no fixed reference.
  POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (msg == WM_LBUTTONDOWN || msg == WM_MOUSEMOVE) ClientToScreen(hwnd, &pt);
  switch (msg) {
    case WM_LBUTTONDOWN: {
      Control* before = Before();
      if (!before) return false;
      dragging_ = true;
      startSize_ = Vertical() ? before->Height() : before->Width();
      startMouse_ = Vertical() ? pt.y : pt.x;
      SetCapture(hwnd);
      SetTimer(hwnd, kSplitterTimer, 100, nullptr);
      result = 0;
      return true;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        DragTo(Vertical() ? pt.y : pt.x);
        result = 0;
        return true;
      }
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        EndDrag(false);
        result = 0;
        return true;
      }
      break;
    case WM_TIMER:
      if (wParam == kSplitterTimer) {
        if (dragging_ && (GetAsyncKeyState(VK_ESCAPE) & 0x8000)) EndDrag(true);
        result = 0;
        return true;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd) EndDrag(false);
      break;
    default:
      break;
  }
  return Panel::HandleMessage(msg, wParam, lParam, result);
}

ProgressBar::ProgressBar(Control* parent) : Control(parent) {
  ControlAccess::InitCommonControlsOnce();
  CreateArgs a;
  a.className = PROGRESS_CLASSA;
  a.style = WS_CHILD | WS_VISIBLE;
  a.exStyle = WS_EX_CLIENTEDGE;
  SetCreateArgs(a);
}

void ProgressBar::AfterCreate() { OnColorChanged(); }

void ProgressBar::OnColorChanged() {
  SendMessageA(static_cast<HWND>(hwnd_), CCM_SETBKCOLOR, 0, static_cast<LPARAM>(ResolvedColor()));
}

void ProgressBar::SetPosition(int position) {
  HWND hwnd = static_cast<HWND>(Handle());
  SendMessageA(hwnd, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  Invalidate();
}

int ProgressBar::Position() {
  return static_cast<int>(SendMessageA(static_cast<HWND>(Handle()), PBM_GETPOS, 0, 0));
}

}  // namespace toolkit
