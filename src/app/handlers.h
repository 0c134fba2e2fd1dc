// The handlers that CreateMainForm wires to menus and controls.
#pragma once
#include <string>

#include "toolkit/control.h"

struct MainForm;

void ImportFiles(MainForm& form);
void ImportFolder(MainForm& form);
void HandleDroppedFiles(MainForm& form, const std::string& dropped);
void ClearList(MainForm& form);
void HandleItemStateChange(MainForm& form, int first, int last, unsigned oldState, unsigned newState);
void PaintPreview(MainForm& form, toolkit::DeviceContext dc);
void ExportSelected(MainForm& form);
void ExportAll(MainForm& form);
void ShowAbout(MainForm& form);
void ExitProgram(MainForm& form);
// Creates the open dialog and the folder chooser, registered with the main window.
void CreateDialogs(MainForm& form);
