// The one record of the run: the main window with every control, menu and dialog object,
// and the program-wide state that the handlers share.
#pragma once
#include <memory>
#include <string>

#include "texlist/texture_list.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/list_view.h"
#include "toolkit/menu.h"

namespace preview {
class TgaImage;
}
namespace toolkit {
class OpenDialog;
class FolderChooser;
}  // namespace toolkit

struct MainForm {
  MainForm();
  ~MainForm();
  std::unique_ptr<toolkit::Form> window;  // owns every control and menu

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
  std::string OutputPath;
  std::string LastPath;
  bool settingsSaved = false;

  TextureList textures;
  std::string ConverterOutputPath;
  std::unique_ptr<preview::TgaImage> PreviewImage;  // the one image of the run
  bool exportRunning = false;        // list and export commands wait for the export to end
};

// Builds the main window (hidden) and runs CompleteStartup. Returns null when the
// program must stop (converter missing; the message has been shown).
std::unique_ptr<MainForm> CreateMainForm();
// Start-up check and state; false when the converter is missing.
bool CompleteStartup(MainForm& form);
void HandleClose(MainForm& form, bool& accept);
void HandleShow(MainForm& form);

extern const char kConverterName[];     // "readdxt.exe"
extern const char kConverterMissing[];  // message when it is missing
