#include "texlist/texture_list.h"

#include "toolkit/portable/path_helpers.h"

namespace texlist {

void TextureList::Add(const std::vector<TextureEntry>& entries) {
  if (entries.empty()) return;
  entries_.insert(entries_.end(), entries.begin(), entries.end());
  rows_.ShowRowCount(TextureCount());
}

RowTexts TextureList::Texts(int row) const {
  const TextureEntry& entry = entries_[static_cast<size_t>(row)];
  // Sizes of 2 GiB and more show their low 32 bits as an unsigned number, never negative.
  return RowTexts{toolkit::ExtractFileName(entry.fullPath), std::to_string(entry.size),
                  toolkit::ExtractFilePath(entry.fullPath)};
}

void TextureList::Clear() {
  rows_.DeleteAllRows();
  entries_.clear();
}

std::vector<int> TextureList::SelectedRows() const {
  std::vector<int> rows;
  for (int row : rows_.SelectedRows()) {
    // The list hands rows out ascending; anything else would end its own walk there.
    if (row >= TextureCount() || (!rows.empty() && row <= rows.back())) break;
    rows.push_back(row);
  }
  return rows;
}

int TextureList::FirstSelected() const {
  const int row = rows_.FirstSelected();
  return row < TextureCount() ? row : -1;
}

}  // namespace texlist
