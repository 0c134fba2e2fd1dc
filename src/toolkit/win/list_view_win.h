// Report-style list view of the one kind the program shows: several rows selectable, info
// tips for cut texts, and rows that hold no texts of their own: onRowText gives them when
// they are shown, and SetRowCount makes any number of rows at once.
#pragma once
#include <functional>
#include <string>

#include "toolkit/win/control_win.h"

namespace toolkit {

enum class TextAlign { Left, Right, Centre };

class ListView : public Control {
 public:
  explicit ListView(Control* parent);

  void AddColumn(const std::string& caption, TextAlign align, int width);
  std::string Text(int row, int column);
  int FirstSelected();
  int NextSelected(int after);
  void DeleteAllRows();
  // Select/focus a row as a user click would (for keyboard-free automation).
  void SetRowState(int row, unsigned state, unsigned mask);
  // There are now `count` rows; those shown so far keep their state.
  void SetRowCount(int count);
  // The text of a row's column, asked for when the list shows it.
  std::function<std::string(int row, int column)> onRowText;

  // (sender, first, last, old state, new state)
  std::function<void(ListView&, int, int, unsigned, unsigned)> onItemStateChange;
  // Dropped files: their full paths in drop order (each long, or short where only that
  // stands for it in ANSI), how many were left out for want of such a name, and the drop
  // point (client coordinates).
  std::function<void(ListView&, const std::vector<std::string>&, int leftOut, int x, int y)> onDrop;
  void EnableDrop(bool on);

 protected:
  void AfterCreate() override;
  void OnColorChanged() override;
  bool HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;
  bool HandleNotify(NMHDR* nmhdr, intptr_t& result) override;

 private:
  struct Column {
    std::string caption;
    TextAlign align;
    int width;
  };
  int columns_ = 0;
  std::vector<Column> pendingColumns_;
  bool dropEnabled_ = false;
};

}  // namespace toolkit
