// Windows side of the control model: window creation on demand, the shared window
// procedure, alignment, colours, fonts, cursors, popup menus and double buffering.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/win/control_win.h"
#include "toolkit/win/control_internal_win.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/win/menu_win.h"

namespace toolkit {

namespace {

const char kControlProp[] = "TexlookControl";

Control* ControlOf(HWND hwnd) { return static_cast<Control*>(GetPropA(hwnd, kControlProp)); }

HCURSOR LoadCursorKind(CursorKind kind) {
  switch (kind) {
    case CursorKind::Wait: return LoadCursorA(nullptr, IDC_WAIT);
    case CursorKind::SizeWE: return LoadCursorA(nullptr, IDC_SIZEWE);
    case CursorKind::SizeNS: return LoadCursorA(nullptr, IDC_SIZENS);
    case CursorKind::Arrow: break;
  }
  return LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace

LRESULT CALLBACK ControlAccess::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* control = ControlOf(hwnd);
  if (!control && msg == WM_NCCREATE) {
    // Our own window classes bind the object here; system classes are subclassed later.
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    control = static_cast<Control*>(cs->lpCreateParams);
    if (control) {
      control->hwnd_ = hwnd;
      SetPropA(hwnd, kControlProp, control);
    }
  }
  if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    LRESULT r = control->CallDefault(msg, wParam, lParam);
    RemovePropA(hwnd, kControlProp);
    control->hwnd_ = nullptr;
    return r;
  }
  intptr_t result = 0;
  if (control->HandleMessage(msg, wParam, lParam, result)) return result;
  return control->CallDefault(msg, wParam, lParam);
}

void ControlAccess::RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &ControlAccess::WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = nullptr;  // WM_SETCURSOR decides
  wc.style = CS_DBLCLKS;
  wc.lpszClassName = "Form";
  // The program's own icon (resource 1) when it carries one, else the system's; shared
  // icons, never destroyed.
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  RegisterClassA(&wc);
  wc.lpszClassName = "ScrollBox";
  wc.hIcon = nullptr;
  RegisterClassA(&wc);
}

void ControlAccess::InitCommonControlsOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  InitCommonControls();
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  if (HMODULE comctl = GetModuleHandleA("comctl32.dll")) {
    auto initEx = reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
    if (initEx) {
      INITCOMMONCONTROLSEX icc = {sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                      ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS};
      initEx(&icc);
    }
  }
}

// Renders `outer` and every window inside it into a memory bitmap and copies the part
// that lies under `target` onto `dc` with one BitBlt.
void ControlAccess::PaintBuffered(Control* outer, HWND target, HDC dc) {
  HWND outerWnd = static_cast<HWND>(outer->hwnd_);
  RECT rc;
  GetClientRect(outerWnd, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  MemoryDc mem(CreateCompatibleDC(dc));
  GdiObject bmp(CreateCompatibleBitmap(dc, rc.right, rc.bottom));
  if (!mem || !bmp) return;
  SelectedObject sel(mem.Get(), bmp.Get());
  SendMessageA(outerWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), 0);
  SendMessageA(outerWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT);
  // Children in creation order, each at its place.
  for (HWND child = GetWindow(outerWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT cr;
    GetWindowRect(child, &cr);
    MapWindowPoints(nullptr, outerWnd, reinterpret_cast<POINT*>(&cr), 2);
    POINT old;
    SetViewportOrgEx(mem.Get(), cr.left, cr.top, &old);
    SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(mem.Get()),
                 PRF_ERASEBKGND | PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN);
    SetViewportOrgEx(mem.Get(), old.x, old.y, nullptr);
  }
  POINT origin = {0, 0};
  MapWindowPoints(target, outerWnd, &origin, 1);
  RECT tr;
  GetClientRect(target, &tr);
  BitBlt(dc, 0, 0, tr.right, tr.bottom, mem.Get(), origin.x, origin.y, SRCCOPY);
}

Control::Control(Control* parent) : parent_(parent) {
  if (parent) {
    parent->children_.push_back(this);
    gap_ = parent->gap_;
    color_ = parent->color_;
    font_ = parent->font_;
    cursor_ = parent->cursor_;
  }
}

Control::~Control() {
  // Release list first (last registered first), then children, then the window.
  while (!releaseList_.empty()) releaseList_.pop_back();
  HWND hwnd = static_cast<HWND>(hwnd_);
  if (hwnd) {
    RemovePropA(hwnd, kControlProp);
    if (oldWndProc_) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
  }
  while (!ownedChildren_.empty()) ownedChildren_.pop_back();
  if (hwnd) DestroyWindow(hwnd);
  hwnd_ = nullptr;
  if (brush_) DeleteObject(static_cast<HGDIOBJ>(brush_));
  if (fontHandle_) DeleteObject(static_cast<HGDIOBJ>(fontHandle_));
  if (parent_) {
    auto& siblings = parent_->children_;
    for (size_t i = 0; i < siblings.size(); ++i)
      if (siblings[i] == this) {
        siblings.erase(siblings.begin() + i);
        break;
      }
  }
}

WindowHandle Control::Handle() {
  if (!hwnd_) {
    if (parent_ && !parent_->hwnd_) parent_->Handle();  // creates this one too
    if (!hwnd_) CreateWindowNow();
  }
  return hwnd_;
}

void Control::CreateWindowNow() {
  ControlAccess::RegisterClasses();
  HWND parentWnd = parent_ ? static_cast<HWND>(parent_->hwnd_) : nullptr;
  DWORD style = args_.style;
  if (parent_) style |= WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  const bool ownClass = lstrcmpA(args_.className, "Form") == 0 || lstrcmpA(args_.className, "ScrollBox") == 0;
  HWND hwnd = CreateWindowExA(args_.exStyle, args_.className, args_.text.c_str(), style, left_, top_, width_,
                              height_, parentWnd, nullptr, GetModuleHandleA(nullptr), ownClass ? this : nullptr);
  if (!hwnd) return;
  if (!ownClass) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kControlProp, this);
    oldWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlAccess::WindowProc)));
  }
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
  AfterCreate();
  for (Control* child : children_)
    if (!child->hwnd_) child->CreateWindowNow();
  Realign();
}

intptr_t Control::CallDefault(unsigned msg, uintptr_t wParam, intptr_t lParam) {
  HWND hwnd = static_cast<HWND>(hwnd_);
  if (oldWndProc_) return CallWindowProcA(oldWndProc_, hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Control::SetAlign(Align align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void Control::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplyBounds();
  if (parent_ && align_ != Align::None) parent_->Realign();
}

void Control::SetWidth(int width) {
  if (width <= 0) return;
  SetBounds(left_, top_, width, height_);
}

void Control::SetHeight(int height) {
  if (height <= 0) return;
  SetBounds(left_, top_, width_, height);
}

void Control::ApplyBounds() {
  if (!hwnd_) return;
  SetWindowPos(static_cast<HWND>(hwnd_), nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::Realign() {
  if (!hwnd_ || aligning_ || children_.empty()) return;
  aligning_ = true;
  std::vector<AlignItem> items;
  items.reserve(children_.size());
  for (Control* c : children_) {
    AlignItem item;
    item.align = c->align_;
    item.width = c->width_;
    item.height = c->height_;
    item.visible = !c->hwnd_ || IsWindowVisible(static_cast<HWND>(c->hwnd_)) ||
                   !IsWindowVisible(static_cast<HWND>(hwnd_));
    items.push_back(item);
  }
  RECT rc;
  GetClientRect(static_cast<HWND>(hwnd_), &rc);
  std::vector<Rect> placed = AlignChildren(Rect{rc.left, rc.top, rc.right, rc.bottom}, margins_, gap_, items);
  // Move all children in one go so that nothing is drawn at an intermediate place.
  HDWP defer = BeginDeferWindowPos(static_cast<int>(children_.size()));
  for (size_t i = 0; i < children_.size(); ++i) {
    Control* c = children_[i];
    if (items[i].align == Align::None || !items[i].visible) continue;
    const Rect& r = placed[i];
    c->left_ = r.left;
    c->top_ = r.top;
    c->width_ = r.Width();
    c->height_ = r.Height();
    if (c->hwnd_ && defer)
      defer = DeferWindowPos(defer, static_cast<HWND>(c->hwnd_), nullptr, r.left, r.top, r.Width(), r.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    else if (c->hwnd_)
      c->ApplyBounds();
  }
  if (defer) EndDeferWindowPos(defer);
  aligning_ = false;
}

uint32_t Control::ResolvedColor() const {
  if (color_ & kSysColorFlag) return GetSysColor(static_cast<int>(color_ & 0xFF));
  return color_;
}

HBRUSH Control::BackgroundBrush() {
  if (!brush_) brush_ = CreateSolidBrush(ResolvedColor());
  return brush_;
}

HFONT Control::FontHandle() {
  if (!fontHandle_) {
    LOGFONTA lf = {};
    lf.lfHeight = font_.height;
    lf.lfCharSet = static_cast<BYTE>(font_.charset);
    lf.lfWeight = FW_NORMAL;
    lstrcpynA(lf.lfFaceName, font_.face.c_str(), LF_FACESIZE);
    fontHandle_ = CreateFontIndirectA(&lf);
    if (font_.height == -1 && fontHandle_) {
      // -1 asks for the face's smallest size: a bitmap face gives its 8-point cut, but a
      // scalable stand-in (Wine has no bitmap MS Sans Serif) would come out 1 pixel high.
      WindowDc screen(nullptr);
      TEXTMETRICA tm = {};
      {
        SelectedObject sel(screen.Get(), static_cast<HGDIOBJ>(fontHandle_));
        GetTextMetricsA(screen.Get(), &tm);
      }
      if (tm.tmHeight < 8) {
        DeleteObject(static_cast<HGDIOBJ>(fontHandle_));
        lf.lfHeight = -MulDiv(8, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        fontHandle_ = CreateFontIndirectA(&lf);
      }
    }
  }
  return fontHandle_;
}

void Control::SetColor(Color color) {
  color_ = color;
  if (brush_) {
    DeleteObject(static_cast<HGDIOBJ>(brush_));
    brush_ = nullptr;
  }
  if (hwnd_) OnColorChanged();
  Invalidate();
}

void Control::SetFont(const Font& font) {
  font_ = font;
  if (fontHandle_) {
    HGDIOBJ old = static_cast<HGDIOBJ>(fontHandle_);
    fontHandle_ = nullptr;
    if (hwnd_) SendMessageA(static_cast<HWND>(hwnd_), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    DeleteObject(old);
  }
}

void Control::SetTabStop(bool on) {
  if (on) args_.style |= WS_TABSTOP;
  else args_.style &= ~static_cast<uint32_t>(WS_TABSTOP);
  if (hwnd_) SetWindowLongA(static_cast<HWND>(hwnd_), GWL_STYLE, static_cast<LONG>(args_.style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
}

void Control::Invalidate() {
  if (Terminated() || !hwnd_) return;
  InvalidateRect(static_cast<HWND>(hwnd_), nullptr, TRUE);
  if (Control* outer = ControlAccess::OutermostDoubleBuffered(this))
    if (outer != this && outer->hwnd_ && !PaintsThroughBuffer())
      RedrawWindow(static_cast<HWND>(outer->hwnd_), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ControlAccess::SyncBounds(Control* c) {
  HWND hwnd = static_cast<HWND>(c->hwnd_);
  if (!hwnd) return;
  RECT r;
  GetWindowRect(hwnd, &r);
  if (c->parent_ && c->parent_->hwnd_) MapWindowPoints(nullptr, static_cast<HWND>(c->parent_->hwnd_), reinterpret_cast<POINT*>(&r), 2);
  if (IsIconic(hwnd) || (!c->parent_ && IsZoomed(hwnd))) {
    // A minimised or maximised form keeps its normal bounds for restoring.
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(hwnd, &wp)) return;
    r = wp.rcNormalPosition;
  }
  c->left_ = r.left;
  c->top_ = r.top;
  c->width_ = r.right - r.left;
  c->height_ = r.bottom - r.top;
}

Control* ControlAccess::OutermostDoubleBuffered(Control* c) {
  Control* found = nullptr;
  for (Control* p = c; p; p = p->Parent())
    if (p->DoubleBuffered()) found = p;
  return found;
}

void Control::PaintBackground(DeviceContext dc) {
  if (!hwnd_) return;
  RECT rc;
  GetClientRect(static_cast<HWND>(hwnd_), &rc);
  FillRect(static_cast<HDC>(dc), &rc, static_cast<HBRUSH>(BackgroundBrush()));
}

void Control::RegisterForRelease(std::unique_ptr<Releasable> object) { releaseList_.push_back(std::move(object)); }

bool Control::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  HWND hwnd = static_cast<HWND>(hwnd_);
  switch (msg) {
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT && !GetCapture()) {
        ::SetCursor(LoadCursorKind(ScreenCursorSet() ? ScreenCursor() : cursor_));
        result = TRUE;
        return true;
      }
      return false;
    case WM_CONTEXTMENU:
      if (popupMenu_) {
        popupMenu_->PopupAt(hwnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      if (Control* child = ControlOf(reinterpret_cast<HWND>(lParam))) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, child->ResolvedColor());
        Color text = child->font_.color;
        SetTextColor(dc, (text & kSysColorFlag) ? GetSysColor(static_cast<int>(text & 0xFF)) : text);
        result = reinterpret_cast<intptr_t>(child->BackgroundBrush());
        return true;
      }
      return false;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      if (Control* from = ControlOf(hdr->hwndFrom))
        if (from != this) return from->HandleNotify(hdr, result);
      return false;
    }
    case WM_SIZE:
      ControlAccess::SyncBounds(this);
      Realign();
      return false;
    case WM_MOVE:
      ControlAccess::SyncBounds(this);
      return false;
    case WM_PAINT:
      if (doubleBuffered_ && wParam == 0) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        ControlAccess::PaintBuffered(this, hwnd, dc);
        EndPaint(hwnd, &ps);
        result = 0;
        return true;
      }
      return false;
    case WM_ERASEBKGND:
      if (doubleBuffered_ && wParam &&
          WindowFromDC(reinterpret_cast<HDC>(wParam)) == hwnd) {
        // The buffered WM_PAINT draws the background too.
        result = 1;
        return true;
      }
      if (fillsBackground_) {
        PaintBackground(reinterpret_cast<HDC>(wParam));
        result = 1;
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace toolkit
