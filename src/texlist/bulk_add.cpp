// Bulk adding of rows: one repaint instead of one per row.
#include "texlist/bulk_add.h"

#include "app/main_form.h"
#include "texlist/texture_list_ops.h"

namespace texlist {

ListRedrawPause::ListRedrawPause(MainForm& form) : form_(form) { form_.FileList->SetRedraw(false); }

ListRedrawPause::~ListRedrawPause() { form_.FileList->SetRedraw(true); }

void AddTextureFiles(MainForm& form, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  ListRedrawPause pause(form);
  for (const std::string& path : paths) AddTextureFile(form, path);
}

}  // namespace texlist
