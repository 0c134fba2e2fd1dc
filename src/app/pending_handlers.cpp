// Handlers whose features are not built yet do nothing.
#include "app/handlers.h"
#include "app/main_form.h"

void ImportFiles(MainForm&) {}
void ImportFolder(MainForm&) {}
void HandleDroppedFiles(MainForm&, const std::string&) {}
void ExportSelected(MainForm&) {}
void ExportAll(MainForm&) {}
void CreateDialogs(MainForm&) {}
