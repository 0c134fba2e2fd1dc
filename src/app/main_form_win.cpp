// Construction of the main window, in the order that fixes alignment and the inheritance
// of colours, fonts and gaps; start-up check; close and show handlers; the commands.
#include "app/main_form_win.h"

#include <map>

#include "app/settings.h"
#include "preview/paint_preview_win.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_system.h"

using namespace toolkit;

namespace app {

const char kConverterMissing[] = "Не найден файл readdxt.exe";

namespace {

constexpr Color kWindowColor = 0xC0C0C0;
constexpr Color kPreviewBackground = 0xA4A0A0;

MenuEntry Item(const char* text, Command command) { return {text, MainForm::CommandId(command), {}}; }
const MenuEntry kSeparator;

const std::vector<MenuEntry> kMainMenu = {
    {"Файл", 0,
     {
         Item("Импортировать DDS-файл(ы) в список...", Command::ImportFiles),
         Item("Импортировать DDS-файлы в список из папки...", Command::ImportFolder),
         kSeparator,
         Item("Выход", Command::Exit),
     }},
    Item("Очистить список", Command::ClearList),
    Item("?", Command::About),
};

const std::vector<MenuEntry> kListPopupMenu = {
    Item("Экспортировать выбранное в TGA ...", Command::ExportSelected),
    Item("Экспортировать все в TGA...", Command::ExportAll),
};

// Builds the menu; choosing an entry runs the command with its identifier.
Menu* CreateMenu(MainForm& form, Form& owner, const std::vector<MenuEntry>& entries) {
  return owner.AddMenu(entries, [&form](unsigned commandId) {
    form.Run(static_cast<Command>(commandId - Menu::kFirstCommandId));
  });
}

}  // namespace

MainForm::MainForm() : controls_(MakeControls()) {
  controls_.window->Handle();  // creates the whole window tree, still hidden
  controls_.window->Centre();
}

MainForm::~MainForm() = default;

MainForm::Controls MainForm::MakeControls() {
  Controls c;
  c.window = Form::Create("Texlook");
  Form* w = c.window.get();
  w->SetBounds(182, 121, 590, 432);
  SetMainWindow(w);
  w->SetColor(kWindowColor);
  Font font = w->GetFont();
  font.height = -1;
  w->SetFont(font);
  w->SetGap(0);
  w->onClose = [this](Form&, bool& accept) { HandleClose(accept); };
  w->onShow = [this](Form&) { HandleShow(); };
  // A log-off or shut-down ends the process without WM_CLOSE: keep the folders anyway.
  w->onEndSession = [this](Form&) { SaveSettings(); };

  c.mainMenu = CreateMenu(*this, *w, kMainMenu);

  // The dialogs' owner stays null, which they take as the main window when they open.
  auto chooser = std::make_unique<toolkit::FolderChooser>();
  chooser->centerOnScreen = true;
  c.folderChooser = chooser.get();
  w->RegisterForRelease(std::move(chooser));
  auto dialog = std::make_unique<toolkit::OpenDialog>();
  c.openDialog = dialog.get();
  w->RegisterForRelease(std::move(dialog));

  c.listPopupMenu = CreateMenu(*this, *w, kListPopupMenu);

  c.bottomPanel = Control::Create<Panel>(w, Edge::Raised);
  c.bottomPanel->SetAlign(Align::Bottom);
  c.bottomPanel->SetHeight(21);

  c.exportProgress = Control::Create<ProgressBar>(c.bottomPanel);
  c.exportProgress->SetAlign(Align::Client);
  c.exportProgress->SetColor(kWindowColor);

  c.previewPanel = Control::Create<Panel>(w, Edge::None);
  c.previewPanel->SetAlign(Align::Client);

  c.previewGroupBox = Control::Create<GroupBox>(c.previewPanel, "Предпросмотр текстуры:");
  c.previewGroupBox->SetAlign(Align::Client);
  c.previewGroupBox->SetTabStop(false);
  c.previewGroupBox->SetColor(kColorActiveBorder);
  c.previewGroupBox->SetMarginLeft(0);

  c.previewScrollBox = Control::Create<ScrollBox>(c.previewGroupBox);
  c.previewScrollBox->SetAlign(Align::Client);
  c.previewScrollBox->SetColor(kPreviewBackground);
  c.previewScrollBox->SetGap(2);
  c.previewScrollBox->SetDoubleBuffered(true);

  c.previewBox = Control::Create<PaintBox>(c.previewScrollBox);
  c.previewBox->SetAlign(Align::Client);
  c.previewBox->onPaint = [this](Control&, DeviceContext dc) {
    preview::PaintPreview(preview_, *controls_.previewBox, dc);
  };

  c.listPanel = Control::Create<Panel>(w, Edge::None);
  c.listPanel->SetAlign(Align::Left);
  c.listPanel->SetWidth(209);

  c.listGroupBox = Control::Create<GroupBox>(c.listPanel, "Список файлов DDS ");
  c.listGroupBox->SetAlign(Align::Client);
  c.listGroupBox->SetTabStop(false);
  c.listGroupBox->SetColor(kColorActiveBorder);
  c.listGroupBox->SetMarginRight(0);

  c.fileList = Control::Create<ListView>(c.listGroupBox);
  c.fileList->SetAlign(Align::Client);
  c.fileList->SetColor(kColorWindow);
  c.fileList->SetDoubleBuffered(true);
  c.fileList->onItemStateChange = [this](ListView&, int, int, unsigned, unsigned newState) {
    HandleItemStateChange(newState);
  };
  c.fileList->onRowText = [this](int row, int column) {
    if (row < 0 || row >= textures_.TextureCount()) return std::string();
    const texlist::RowTexts texts = textures_.Texts(row);
    return column == 0 ? texts.name : column == 1 ? texts.size : texts.folder;
  };
  c.fileList->onDrop = [this](ListView&, const std::vector<std::string>& dropped, int leftOut, int, int) {
    HandleDrop(dropped, leftOut);
  };
  c.fileList->EnableDrop(true);
  c.fileList->SetPopupMenu(c.listPopupMenu);
  c.fileList->AddColumn("Имя", TextAlign::Left, 80);
  c.fileList->AddColumn("Размер", TextAlign::Left, 80);
  c.fileList->AddColumn("Полный путь к файлу", TextAlign::Left, 200);

  c.panelSplitter = Control::Create<Splitter>(w, 0, 0, Edge::Raised);
  c.panelSplitter->SetAlign(Align::Left);
  c.panelSplitter->SetWidth(6);
  return c;
}

std::unique_ptr<MainForm> CreateMainForm() {
  auto form = std::make_unique<MainForm>();
  if (!form->CompleteStartup()) return nullptr;
  return form;
}

bool MainForm::CompleteStartup() {
  if (!FileExists(ProgramFolder() + converter::kConverterName)) {
    ShowMessage(kConverterMissing);
    return false;
  }
  // A run that was killed left its working folder, pictures and all.
  RemoveAbandonedScratchFolders();
  LoadSettings();
  for (int panel = 0; panel < 3; ++panel) controls_.window->SetStatusText(panel, "");
  return true;
}

void MainForm::HandleClose(bool& accept) {
  SaveSettings();
  accept = true;
}

void MainForm::LoadSettings() {
  const RememberedFolders folders = ReadSettings();
  outputPath_ = folders.outputPath;
  lastPath_ = folders.lastPath;
}

void MainForm::SaveSettings() {
  if (settingsSaved_) return;
  settingsSaved_ = true;
  WriteSettings(RememberedFolders{outputPath_, lastPath_});
}

void MainForm::HandleShow() { controls_.window->SetWindowState(WindowState::Maximised); }

unsigned MainForm::CommandId(Command command) { return Menu::kFirstCommandId + static_cast<unsigned>(command); }

void MainForm::Run(Command command) {
  // Every command by name: whether it reads or changes the list (then it waits while an
  // export or a preview runs), and what carries it out.
  struct Handler {
    bool changesList;
    void (MainForm::*run)();
  };
  static const std::map<Command, Handler> kHandlers = {
      {Command::ImportFiles, {true, &MainForm::ImportFiles}},
      {Command::ImportFolder, {true, &MainForm::ImportFolder}},
      {Command::ClearList, {true, &MainForm::ClearList}},
      {Command::ExportSelected, {true, &MainForm::ExportSelected}},
      {Command::ExportAll, {true, &MainForm::ExportAll}},
      {Command::About, {false, &MainForm::ShowAbout}},
      {Command::Exit, {false, &MainForm::Exit}},
  };
  const Handler& handler = kHandlers.at(command);
  if (handler.changesList && !busy_.Admits(Input::ListCommand)) return;
  (this->*handler.run)();
}

void MainForm::ImportFiles() { texlist::ImportFiles(imports_, fileDialog_); }

void MainForm::ImportFolder() { texlist::ImportFolder(imports_, folderDialog_); }

void MainForm::ClearList() {
  textures_.Clear();
  preview_.Clear();
}

void MainForm::ExportSelected() {
  BusyState::Scope exporting(busy_, Activity::Export);
  exporter::ExportSelected(exports_);
}

void MainForm::ExportAll() {
  BusyState::Scope exporting(busy_, Activity::Export);
  exporter::ExportAll(exports_);
}

void MainForm::ShowAbout() { app::ShowAbout(*controls_.window); }

void MainForm::Exit() { ExitProgram(*controls_.window); }

void MainForm::HandleItemStateChange(unsigned newState) {
  if (!busy_.Admits(Input::Selection)) return;
  BusyState::Scope previewing(busy_, Activity::Preview);
  preview_.HandleItemStateChange(textures_, newState);
}

void MainForm::HandleDrop(const std::vector<std::string>& dropped, int leftOut) {
  if (!busy_.Admits(Input::Drop)) return;
  texlist::HandleDroppedFiles(imports_, dropped, leftOut);
}

}  // namespace app
