// Report-style list view over SysListView32.
#include "toolkit/win/list_view_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/win/ansi_names_win.h"
#include "toolkit/win/control_internal_win.h"

namespace toolkit {

namespace {
// Every extended style the list knows of (LVS_EX_GRIDLINES up to LVS_EX_LABELTIP): all
// cleared but the info tips.
constexpr DWORD kExtendedStyles = 0x3FFF;
}  // namespace

ListView::ListView(Control* parent) : Control(parent) {
  ControlAccess::InitCommonControlsOnce();
  CreateArgs a;
  a.className = WC_LISTVIEWA;
  a.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
  a.exStyle = WS_EX_CLIENTEDGE;
  SetCreateArgs(a);
}

void ListView::AfterCreate() {
  HWND hwnd = static_cast<HWND>(hwnd_);
  SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyles, LVS_EX_INFOTIP);
  OnColorChanged();
  std::vector<Column> columns;
  columns.swap(pendingColumns_);
  columns_ = 0;
  for (const Column& c : columns) AddColumn(c.caption, c.align, c.width);
  if (dropEnabled_) DragAcceptFiles(hwnd, TRUE);
}

void ListView::OnColorChanged() {
  HWND hwnd = static_cast<HWND>(hwnd_);
  SendMessageA(hwnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ResolvedColor()));
  SendMessageA(hwnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ResolvedColor()));
}

void ListView::AddColumn(const std::string& caption, TextAlign align, int width) {
  if (!hwnd_) {
    // Added once the window exists, in the same order.
    pendingColumns_.push_back(Column{caption, align, width});
    return;
  }
  LVCOLUMNA col = {};
  col.mask = LVCF_FMT | LVCF_TEXT | (width > 0 ? LVCF_WIDTH : 0);
  col.fmt = align == TextAlign::Right    ? LVCFMT_RIGHT
            : align == TextAlign::Centre ? LVCFMT_CENTER
                                         : LVCFMT_LEFT;
  col.cx = width;
  std::string text = caption;
  col.pszText = &text[0];
  if (SendMessageA(static_cast<HWND>(hwnd_), LVM_INSERTCOLUMNA, columns_, reinterpret_cast<LPARAM>(&col)) >=
      0)
    ++columns_;
}

std::string ListView::Text(int row, int column) {
  std::vector<char> buffer(1024, '\0');
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  SendMessageA(static_cast<HWND>(Handle()), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return std::string(buffer.data());
}

int ListView::FirstSelected() { return NextSelected(-1); }

int ListView::NextSelected(int after) {
  return static_cast<int>(SendMessageA(static_cast<HWND>(Handle()), LVM_GETNEXTITEM,
                                       static_cast<WPARAM>(after), MAKELPARAM(LVNI_SELECTED, 0)));
}

void ListView::DeleteAllRows() { SendMessageA(static_cast<HWND>(Handle()), LVM_DELETEALLITEMS, 0, 0); }

void ListView::SetRowState(int row, unsigned state, unsigned mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  SendMessageA(static_cast<HWND>(Handle()), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
}

void ListView::SetRowCount(int count) {
  // Rows already there keep their selection and scroll position.
  SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
               LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ListView::EnableDrop(bool on) {
  dropEnabled_ = on;
  if (hwnd_) DragAcceptFiles(static_cast<HWND>(hwnd_), on ? TRUE : FALSE);
}

bool ListView::HandleNotify(NMHDR* nmhdr, intptr_t& result) {
  auto* hdr = static_cast<NMHDR*>(nmhdr);
  if (hdr->code == LVN_ITEMCHANGED) {
    auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
    if ((nm->uChanged & LVIF_STATE) && onItemStateChange)
      onItemStateChange(*this, nm->iItem, nm->iItem, nm->uOldState, nm->uNewState);
  } else if (hdr->code == LVN_ODSTATECHANGED) {
    auto* nm = reinterpret_cast<NMLVODSTATECHANGE*>(hdr);
    if (onItemStateChange) onItemStateChange(*this, nm->iFrom, nm->iTo, nm->uOldState, nm->uNewState);
  } else if (hdr->code == LVN_GETDISPINFOA && onRowText) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(hdr)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
      lstrcpynA(item.pszText, onRowText(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
  } else if (hdr->code == LVN_GETDISPINFOW && onRowText) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(hdr)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
      const std::string text = onRowText(item.iItem, item.iSubItem);
      const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, item.pszText, item.cchTextMax);
      if (n == 0) item.pszText[item.cchTextMax - 1] = L'\0';
    }
  }
  result = 0;
  return false;  // the notification goes on to its usual handling
}

bool ListView::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
  if (msg == WM_DROPFILES && onDrop) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    POINT pt = {0, 0};
    DragQueryPoint(drop, &pt);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> paths;
    int leftOut = 0;
    for (UINT i = 0; i < count; ++i) {
      // Ask for the length first, so long paths arrive whole; in wide characters, as the
      // ANSI form hands out look-alikes that name other files.
      UINT len = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(len + 1, L'\0');
      DragQueryFileW(drop, i, &path[0], len + 1);
      path.resize(lstrlenW(path.c_str()));
      // An empty path is neither a folder nor a DDS file.
      if (path.empty()) continue;
      std::string held;
      if (HeldPath(path, held)) {
        paths.push_back(std::move(held));
      } else {
        ++leftOut;
      }
    }
    DragFinish(drop);
    onDrop(*this, paths, leftOut, pt.x, pt.y);
    result = 0;
    return true;
  }
  return Control::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace toolkit
