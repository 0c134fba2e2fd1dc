#include "texlist/texture_list_ops.h"

#include "app/handlers.h"
#include "app/main_form.h"
#include "preview/tga_image.h"
#include "toolkit/file_system.h"
#include "toolkit/path_helpers.h"

void AddTextureFile(MainForm& form, const std::string& path) {
  form.textures.TexturePaths.push_back(TextureEntry{path});
  toolkit::ListView& list = *form.FileList;
  const int row = list.InsertRow(list.RowCount(), toolkit::ExtractFileName(path));
  // Sizes of 2 GiB and more show their low 32 bits as an unsigned number, never negative.
  list.SetText(row, 1, std::to_string(toolkit::FileSizeOf(path)));
  list.SetText(row, 2, toolkit::ExtractFilePath(path));
}

void ClearList(MainForm& form) {
  if (form.exportRunning) return;  // the export reads the list between rows
  form.FileList->DeleteAllRows();
  form.textures.TexturePaths.clear();
  form.textures.CurrentIndex = -1;
  for (int panel = 0; panel < 3; ++panel) form.MainWindow->SetStatusText(panel, "");
  if (form.PreviewImage) form.PreviewImage->ColorBitmap.Reset();
  form.PreviewBox->Invalidate();
}
