// Handlers whose features are not built yet do nothing.
#include "app/handlers.h"
#include "app/main_form.h"

void ImportFiles(MainForm&) {}
void ImportFolder(MainForm&) {}
void HandleDroppedFiles(MainForm&, const std::string&) {}
void HandleItemStateChange(MainForm&, int, int, unsigned, unsigned) {}
void PaintPreview(MainForm&, toolkit::DeviceContext) {}
void ExportSelected(MainForm&) {}
void ExportAll(MainForm&) {}
void CreateDialogs(MainForm&) {}
