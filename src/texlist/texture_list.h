// The texture list of the run: the files the user gathered, one row of the file list per
// file, in row order. Entries and rows change only together, here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace texlist {

struct TextureEntry {
  std::string fullPath;  // exactly as the import produced it
  uint32_t size = 0;     // low 32 bits of the size as the directory lists it
};

// The texts one row shows.
struct RowTexts {
  std::string name;
  std::string size;
  std::string folder;
};

// The file list's rows as the texture list drives them. The rows show the entries' own
// texts (the list asks for them when it paints), so rows and entries cannot disagree.
class TextureRows {
 public:
  virtual ~TextureRows() = default;
  // There are now `count` rows: rows already shown stay, the new ones follow in one go.
  virtual void ShowRowCount(int count) = 0;
  virtual void DeleteAllRows() = 0;
  // The selected rows in ascending order; the first selected row (-1 for none).
  virtual std::vector<int> SelectedRows() = 0;
  virtual int FirstSelected() = 0;
};

class TextureList {
 public:
  explicit TextureList(TextureRows& rows) : rows_(rows) {}
  // AddTextureFile for each entry: one entry and one row (name, size, folder) each.
  void Add(const std::vector<TextureEntry>& entries);
  void Clear();
  int TextureCount() const { return static_cast<int>(entries_.size()); }
  const std::string& FullPath(int row) const { return entries_[static_cast<size_t>(row)].fullPath; }
  // Name, size in bytes and folder of a row's file.
  RowTexts Texts(int row) const;
  // Selected rows that hold an entry, ascending; the first selected one (-1 for none).
  std::vector<int> SelectedRows() const;
  int FirstSelected() const;

 private:
  TextureRows& rows_;
  std::vector<TextureEntry> entries_;
};

}  // namespace texlist
