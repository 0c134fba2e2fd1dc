// The control model of the window toolkit: a tree of controls, each with one window that
// is created on first demand.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/portable/layout.h"
#include "toolkit/win/message_loop_win.h"

namespace toolkit {

using WindowHandle = HWND;
using DeviceContext = HDC;

// COLORREF, or 0x800000nn for system colour nn.
using Color = uint32_t;
constexpr Color kSysColorFlag = 0x80000000u;
constexpr Color kColorBtnFace = kSysColorFlag | COLOR_BTNFACE;
constexpr Color kColorWindow = kSysColorFlag | COLOR_WINDOW;
constexpr Color kColorActiveBorder = kSysColorFlag | COLOR_ACTIVEBORDER;
constexpr Color kColorWindowText = kSysColorFlag | COLOR_WINDOWTEXT;

struct Font {
  std::string face = "MS Sans Serif";
  int height = 0;
  int charset = DEFAULT_CHARSET;
  Color color = kColorWindowText;
};

enum class Edge { None, Raised };
class Menu;

// Anything a control can own through its release list.
class Releasable {
 public:
  virtual ~Releasable() = default;
};

class Control : public Releasable {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  ~Control() override;

  // The window, created (with its parents) on first demand.
  WindowHandle Handle();
  bool HasHandle() const { return hwnd_ != nullptr; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }

  void SetAlign(Align align);
  Align GetAlign() const { return align_; }
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width);   // 0 or less leaves it unchanged
  void SetHeight(int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void SetGap(int gap) { gap_ = gap; Realign(); }
  void SetMargins(const Margins& m) { margins_ = m; Realign(); }
  void SetMarginBottom(int v) { margins_.bottom = v; Realign(); }
  void SetMarginLeft(int v) { margins_.left = v; Realign(); }
  void SetMarginRight(int v) { margins_.right = v; Realign(); }

  void SetColor(Color color);
  void SetFont(const Font& font);
  const Font& GetFont() const { return font_; }
  void SetCursor(CursorKind cursor) { cursor_ = cursor; }
  void SetTabStop(bool on);
  void SetDoubleBuffered(bool on) { doubleBuffered_ = on; }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetPopupMenu(Menu* menu) { popupMenu_ = menu; }

  // Repaint the whole client area (and the outermost double-buffered control holding it,
  // unless this control paints through its buffer).
  void Invalidate();
  void Realign();
  // Fills the client area on `dc` with the control's colour.
  void PaintBackground(DeviceContext dc);

  // Objects released together with this control, the last registered first.
  void RegisterForRelease(std::unique_ptr<Releasable> object);

  std::function<void(Control& sender, DeviceContext dc)> onPaint;

 protected:
  struct CreateArgs {
    const char* className = "STATIC";
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::string text;
  };
  explicit Control(Control* parent);
  void SetCreateArgs(CreateArgs args) { args_ = std::move(args); }
  virtual void AfterCreate() {}
  // WM_ERASEBKGND fills the client area with the control's colour.
  void FillBackgroundOnErase() { fillsBackground_ = true; }
  // Sends the kind's own colour message, if it has one.
  virtual void OnColorChanged() {}
  // Its own paint draws through the outermost double-buffered control's buffer, so that
  // an invalidation need not repaint that control as well.
  virtual bool PaintsThroughBuffer() const { return false; }
  // Window procedure hook: return true when the message was handled (result set).
  virtual bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result);
  // A WM_NOTIFY this control sent to its parent: return true when handled (result set).
  virtual bool HandleNotify(NMHDR* /*header*/, intptr_t& /*result*/) { return false; }
  intptr_t CallDefault(unsigned msg, uintptr_t wParam, intptr_t lParam);
  // The brush colour for painting this control's background (system colours resolved).
  uint32_t ResolvedColor() const;
  HBRUSH BackgroundBrush();  // cached
  HFONT FontHandle();       // cached

  WindowHandle hwnd_ = nullptr;

 private:
  friend struct ControlAccess;
  void CreateWindowNow();
  void ApplyBounds();

  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::vector<std::unique_ptr<Releasable>> ownedChildren_;
  std::vector<std::unique_ptr<Releasable>> releaseList_;
  CreateArgs args_;
  WNDPROC oldWndProc_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 100, height_ = 50;
  Align align_ = Align::None;
  int gap_ = 2;
  Margins margins_;
  Color color_ = kColorBtnFace;
  Font font_;
  CursorKind cursor_ = CursorKind::Arrow;
  bool doubleBuffered_ = false;
  bool aligning_ = false;
  bool fillsBackground_ = false;
  Menu* popupMenu_ = nullptr;
  HBRUSH brush_ = nullptr;
  HFONT fontHandle_ = nullptr;

 public:
  // Creates a child owned by `parent` (released with it).
  template <typename T, typename... Args>
  static T* Create(Control* parent, Args&&... args) {
    auto child = std::unique_ptr<T>(new T(parent, std::forward<Args>(args)...));
    T* raw = child.get();
    parent->ownedChildren_.push_back(std::move(child));
    return raw;
  }
};

}  // namespace toolkit
