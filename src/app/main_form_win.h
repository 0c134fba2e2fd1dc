// The one record of the run: the main window with every control, menu and dialog, the
// texture list, the preview and the remembered folders; commands reach the features here.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/busy_state.h"
#include "app/commands.h"
#include "app/window_parts_win.h"
#include "converter/converter_runner.h"
#include "preview/preview.h"
#include "texlist/folder_scan.h"
#include "texlist/texture_list.h"
#include "toolkit/win/controls_win.h"
#include "toolkit/win/folder_chooser_win.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/list_view_win.h"
#include "toolkit/win/menu_win.h"
#include "toolkit/win/open_dialog_win.h"

struct MainForm {
  MainForm();
  ~MainForm();
  std::unique_ptr<toolkit::Form> OwnedWindow;  // owns every control, menu and dialog

  toolkit::Form* MainWindow = nullptr;
  toolkit::Panel* PreviewPanel = nullptr;
  toolkit::Panel* ListPanel = nullptr;
  toolkit::Splitter* PanelSplitter = nullptr;
  toolkit::Menu* MainMenu = nullptr;
  toolkit::Panel* BottomPanel = nullptr;
  toolkit::GroupBox* PreviewGroupBox = nullptr;
  toolkit::ListView* FileList = nullptr;
  toolkit::GroupBox* ListGroupBox = nullptr;
  toolkit::ScrollBox* PreviewScrollBox = nullptr;
  toolkit::ProgressBar* ExportProgress = nullptr;
  toolkit::FolderChooser* FolderChooser = nullptr;
  toolkit::OpenDialog* OpenDialog = nullptr;
  toolkit::PaintBox* PreviewBox = nullptr;
  toolkit::Menu* ListPopupMenu = nullptr;

  // Remembered folders (settings file).
  toolkit::RememberedFolder OutputPath;
  toolkit::RememberedFolder LastPath;
  bool SettingsSaved = false;

  WindowParts Parts{*this};
  texlist::TextureList Textures{Parts};
  texlist::DiskFolders Folders;
  BusyState Busy;
  converter::ProgramConverter Converter{Parts};
  BusyConverter MarkedConverter{Converter, Busy};  // what the features run
  preview::Preview Preview{preview::PreviewContext{Parts, Parts, Parts, MarkedConverter, Parts}};

  // The identifier the platform sees for a command (4096 and up).
  static unsigned CommandId(Command command);
  // Every menu command, list selection and drop comes in here.
  void Run(Command command);
  void HandleItemStateChange(unsigned newState);
  void HandleDrop(const std::vector<std::string>& dropped, int leftOut);
};

// Builds the main window (hidden) and runs CompleteStartup. Returns null when the
// program must stop (converter missing; the message has been shown).
std::unique_ptr<MainForm> CreateMainForm();
// Start-up check and state; false when the converter is missing.
bool CompleteStartup(MainForm& form);
void HandleClose(MainForm& form, bool& accept);
void HandleShow(MainForm& form);
void LoadSettings(MainForm& form);
// Writes both folders; at most once per run (close or end of the Windows session).
void SaveSettings(MainForm& form);
void ShowAbout(MainForm& form);
// Closes through WM_CLOSE, exactly like the close button.
void ExitProgram(MainForm& form);

extern const char kConverterMissing[];  // message when the converter is missing
