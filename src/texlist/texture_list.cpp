#include "texlist/texture_list.h"

#include "toolkit/path_helpers.h"

namespace texlist {

void TextureList::Add(const std::vector<TextureEntry>& entries) {
  if (entries.empty()) return;
  std::vector<TextureRows::Texts> rows;
  rows.reserve(entries.size());
  for (const TextureEntry& entry : entries) {
    // Sizes of 2 GiB and more show their low 32 bits as an unsigned number, never negative.
    rows.push_back({toolkit::ExtractFileName(entry.FullPath), std::to_string(entry.Size),
                    toolkit::ExtractFilePath(entry.FullPath)});
  }
  entries_.insert(entries_.end(), entries.begin(), entries.end());
  rows_.AppendRows(rows);
}

void TextureList::Clear() {
  rows_.DeleteAllRows();
  entries_.clear();
  CurrentIndex = -1;
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
