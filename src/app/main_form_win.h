// The main window of the run. It alone owns its controls, menus and dialogs, the texture
// list, the preview and the remembered folders; each feature gets the adapters it needs
// once, when the window is made, and commands reach the features by name.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/busy_state.h"
#include "app/commands.h"
#include "app/export_files.h"
#include "app/window_adapters_win.h"
#include "converter/converter_runner.h"
#include "export/export_commands.h"
#include "preview/preview.h"
#include "texlist/folder_scan.h"
#include "texlist/imports.h"
#include "texlist/texture_list.h"
#include "toolkit/win/controls_win.h"
#include "toolkit/win/folder_chooser_win.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/list_view_win.h"
#include "toolkit/win/menu_win.h"
#include "toolkit/win/open_dialog_win.h"

namespace app {

class MainForm {
 public:
  MainForm();  // the whole window tree, still hidden
  ~MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Start-up check and state; false when the converter is missing.
  bool CompleteStartup();
  // Every menu command and drop comes in here.
  void Run(Command command);
  void HandleDrop(const std::vector<std::string>& dropped, int leftOut);
  // The identifier the platform sees for a command (4096 and up).
  static unsigned CommandId(Command command);

  // What tests, benchmarks and tools drive and read besides the commands.
  toolkit::Form& Window() { return *controls_.window; }
  toolkit::ListView& FileList() { return *controls_.fileList; }
  toolkit::Panel& ListPanel() { return *controls_.listPanel; }
  toolkit::Splitter& PanelSplitter() { return *controls_.panelSplitter; }
  toolkit::Panel& PreviewPanel() { return *controls_.previewPanel; }
  toolkit::PaintBox& PreviewBox() { return *controls_.previewBox; }
  toolkit::ProgressBar& ExportProgress() { return *controls_.exportProgress; }
  texlist::TextureList& Textures() { return textures_; }
  texlist::RememberedFolder& OutputPath() { return outputPath_; }
  texlist::RememberedFolder& LastPath() { return lastPath_; }
  texlist::ImportContext& Imports() { return imports_; }
  exporter::ExportContext& Exports() { return exports_; }

 private:
  struct Controls {
    std::unique_ptr<toolkit::Form> window;  // owns every control, menu and dialog
    toolkit::Menu* mainMenu = nullptr;
    toolkit::Menu* listPopupMenu = nullptr;
    toolkit::FolderChooser* folderChooser = nullptr;
    toolkit::OpenDialog* openDialog = nullptr;
    toolkit::Panel* bottomPanel = nullptr;
    toolkit::ProgressBar* exportProgress = nullptr;
    toolkit::Panel* previewPanel = nullptr;
    toolkit::GroupBox* previewGroupBox = nullptr;
    toolkit::ScrollBox* previewScrollBox = nullptr;
    toolkit::PaintBox* previewBox = nullptr;
    toolkit::Panel* listPanel = nullptr;
    toolkit::GroupBox* listGroupBox = nullptr;
    toolkit::ListView* fileList = nullptr;
    toolkit::Splitter* panelSplitter = nullptr;
  };
  // Makes every control in the order that fixes alignment and the inheritance of colours,
  // fonts and gaps, and binds their events to this window.
  Controls MakeControls();

  void HandleItemStateChange(unsigned newState);
  void HandleClose(bool& accept);
  void HandleShow();
  void LoadSettings();
  // Writes both folders; at most once per run (close or end of the Windows session).
  void SaveSettings();

  void ImportFiles();
  void ImportFolder();
  void ClearList();
  void ExportSelected();
  void ExportAll();
  void ShowAbout();
  void Exit();

  Controls controls_;
  texlist::RememberedFolder outputPath_;  // settings file
  texlist::RememberedFolder lastPath_;
  bool settingsSaved_ = false;

  ProgramMessages messages_;
  ProgramLoop loop_;
  StatusBar status_{*controls_.window};
  ExportProgressBar progress_{*controls_.exportProgress};
  FolderDialog folderDialog_{*controls_.folderChooser, messages_};
  FileDialog fileDialog_{*controls_.openDialog};
  ListRows rows_{*controls_.fileList};
  ExportFiles exportFiles_;

  texlist::TextureList textures_{rows_};
  texlist::DiskFolders folders_;
  BusyState busy_;
  converter::ProgramConverter converter_{[this](const std::string& text) { messages_.Show(text); }};
  BusyConverter markedConverter_{converter_, busy_};  // what the features run
  PreviewBoxPane pane_{*controls_.previewBox, preview_};
  preview::Preview preview_{preview::PreviewContext{status_, messages_, loop_, markedConverter_, pane_}};
  texlist::ImportContext imports_{textures_, folders_, messages_, loop_, lastPath_};
  exporter::ExportContext exports_{textures_, folderDialog_, messages_,   progress_,
                                   loop_,     markedConverter_, exportFiles_, outputPath_};
};

// Builds the main window (hidden) and runs CompleteStartup. Returns null when the
// program must stop (converter missing; the message has been shown).
std::unique_ptr<MainForm> CreateMainForm();
void ShowAbout(toolkit::Form& window);
// Closes through WM_CLOSE, exactly like the close button.
void ExitProgram(toolkit::Form& window);

extern const char kConverterMissing[];  // message when the converter is missing

}  // namespace app
