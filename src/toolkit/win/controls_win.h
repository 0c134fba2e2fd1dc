// The simple controls of the main window: panel, group box, scroll box, paint box,
// splitter and progress bar.
#pragma once
#include "toolkit/win/control_win.h"

namespace toolkit {

class Panel : public Control {
 public:
  Panel(Control* parent, Edge edge);

 protected:
  bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;
};

class GroupBox : public Control {
 public:
  GroupBox(Control* parent, const std::string& caption);
};

class ScrollBox : public Control {
 public:
  explicit ScrollBox(Control* parent);  // sunken, without scroll bars
};

// A borderless panel that raises onPaint for WM_PAINT and WM_PRINT(CLIENT).
class PaintBox : public Panel {
 public:
  explicit PaintBox(Control* parent);

 protected:
  bool PaintsThroughBuffer() const override { return true; }
  bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;
};

// Resizes the control created just before it in the same parent by dragging; Escape
// during the drag puts the old size back.
class Splitter : public Panel {
 public:
  Splitter(Control* parent, int minBefore, int minAfter, Edge edge);
  bool Dragging() const { return dragging_; }

 protected:
  bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;

 private:
  Control* Before();
  Control* After();
  bool Vertical() const;
  void DragTo(int screenPos);
  void EndDrag(bool restore);

  int minBefore_, minAfter_;
  bool dragging_ = false;
  int startSize_ = 0;
  int startMouse_ = 0;
};

class ProgressBar : public Control {
 public:
  explicit ProgressBar(Control* parent);
  void SetPosition(int position);
  int Position();

 protected:
  void AfterCreate() override;
  void OnColorChanged() override;
};

}  // namespace toolkit
