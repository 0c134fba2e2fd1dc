// Construction of the main window, in the order that fixes alignment and the inheritance
// of colours, fonts and gaps; start-up check; close and show handlers.
#include "app/main_form_win.h"

#include "app/settings.h"
#include "export/export_commands.h"
#include "preview/paint_preview_win.h"
#include "texlist/imports.h"
#include "toolkit/win/application_win.h"
#include "toolkit/portable/file_system.h"

using namespace toolkit;

const char kConverterMissing[] = "Не найден файл readdxt.exe";

namespace {

constexpr Color kWindowColor = 0xC0C0C0;
constexpr Color kPreviewBackground = 0xA4A0A0;

// The number of each command above Menu's first identifier. Outside tools post these
// identifiers (4097-4104), so each stays fixed; 3 names no command.
unsigned CommandNumber(Command command) {
  switch (command) {
    case Command::ImportFiles: return 1;
    case Command::ImportFolder: return 2;
    case Command::Exit: return 4;
    case Command::ClearList: return 5;
    case Command::About: return 6;
    case Command::ExportSelected: return 7;
    case Command::ExportAll: return 8;
  }
  return 0;
}

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
    for (Command command : {Command::ImportFiles, Command::ImportFolder, Command::Exit, Command::ClearList,
                            Command::About, Command::ExportSelected, Command::ExportAll})
      if (MainForm::CommandId(command) == commandId) return form.Run(command);
  });
}

bool ChangesList(Command command) { return command != Command::Exit && command != Command::About; }

}  // namespace

MainForm::MainForm() = default;
MainForm::~MainForm() = default;

std::unique_ptr<MainForm> CreateMainForm() {
  auto form = std::make_unique<MainForm>();
  MainForm* f = form.get();

  form->OwnedWindow = Form::Create("Texlook");
  Form* w = form->OwnedWindow.get();
  form->MainWindow = w;
  w->SetBounds(182, 121, 590, 432);
  SetMainWindow(w);
  w->SetColor(kWindowColor);
  Font font = w->GetFont();
  font.height = -1;
  w->SetFont(font);
  w->SetGap(0);
  w->onClose = [f](Form&, bool& accept) { HandleClose(*f, accept); };
  w->onShow = [f](Form&) { HandleShow(*f); };
  // A log-off or shut-down ends the process without WM_CLOSE: keep the folders anyway.
  w->onEndSession = [f](Form&) { SaveSettings(*f); };

  form->MainMenu = CreateMenu(*f, *w, kMainMenu);

  // The dialogs' owner stays null, which they take as the main window when they open.
  auto chooser = std::make_unique<toolkit::FolderChooser>();
  chooser->centerOnScreen = true;
  form->FolderChooser = chooser.get();
  w->RegisterForRelease(std::move(chooser));
  auto dialog = std::make_unique<toolkit::OpenDialog>();
  form->OpenDialog = dialog.get();
  w->RegisterForRelease(std::move(dialog));

  form->ListPopupMenu = CreateMenu(*f, *w, kListPopupMenu);

  form->BottomPanel = Control::Create<Panel>(w, Edge::Raised);
  form->BottomPanel->SetAlign(Align::Bottom);
  form->BottomPanel->SetHeight(21);

  form->ExportProgress = Control::Create<ProgressBar>(form->BottomPanel);
  form->ExportProgress->SetAlign(Align::Client);
  form->ExportProgress->SetColor(kWindowColor);

  form->PreviewPanel = Control::Create<Panel>(w, Edge::None);
  form->PreviewPanel->SetAlign(Align::Client);

  form->PreviewGroupBox = Control::Create<GroupBox>(form->PreviewPanel, "Предпросмотр текстуры:");
  form->PreviewGroupBox->SetAlign(Align::Client);
  form->PreviewGroupBox->SetTabStop(false);
  form->PreviewGroupBox->SetColor(kColorActiveBorder);
  form->PreviewGroupBox->SetMarginLeft(0);

  form->PreviewScrollBox = Control::Create<ScrollBox>(form->PreviewGroupBox);
  form->PreviewScrollBox->SetAlign(Align::Client);
  form->PreviewScrollBox->SetColor(kPreviewBackground);
  form->PreviewScrollBox->SetGap(2);
  form->PreviewScrollBox->SetDoubleBuffered(true);

  form->PreviewBox = Control::Create<PaintBox>(form->PreviewScrollBox);
  form->PreviewBox->SetAlign(Align::Client);
  form->PreviewBox->onPaint = [f](Control&, DeviceContext dc) {
    preview::PaintPreview(f->Preview, *f->PreviewBox, dc);
  };

  form->ListPanel = Control::Create<Panel>(w, Edge::None);
  form->ListPanel->SetAlign(Align::Left);
  form->ListPanel->SetWidth(209);

  form->ListGroupBox = Control::Create<GroupBox>(form->ListPanel, "Список файлов DDS ");
  form->ListGroupBox->SetAlign(Align::Client);
  form->ListGroupBox->SetTabStop(false);
  form->ListGroupBox->SetColor(kColorActiveBorder);
  form->ListGroupBox->SetMarginRight(0);

  form->FileList = Control::Create<ListView>(form->ListGroupBox);
  form->FileList->SetAlign(Align::Client);
  form->FileList->SetColor(kColorWindow);
  form->FileList->SetDoubleBuffered(true);
  form->FileList->onItemStateChange = [f](ListView&, int, int, unsigned, unsigned newState) {
    f->HandleItemStateChange(newState);
  };
  form->FileList->onRowText = [f](int row, int column) {
    if (row < 0 || row >= f->Textures.TextureCount()) return std::string();
    const texlist::RowTexts texts = f->Textures.Texts(row);
    return column == 0 ? texts.name : column == 1 ? texts.size : texts.folder;
  };
  form->FileList->onDrop = [f](ListView&, const std::vector<std::string>& dropped, int leftOut, int, int) {
    f->HandleDrop(dropped, leftOut);
  };
  form->FileList->EnableDrop(true);
  form->FileList->SetPopupMenu(form->ListPopupMenu);
  form->FileList->AddColumn("Имя", TextAlign::Left, 80);
  form->FileList->AddColumn("Размер", TextAlign::Left, 80);
  form->FileList->AddColumn("Полный путь к файлу", TextAlign::Left, 200);

  form->PanelSplitter = Control::Create<Splitter>(w, 0, 0, Edge::Raised);
  form->PanelSplitter->SetAlign(Align::Left);
  form->PanelSplitter->SetWidth(6);

  w->Handle();  // creates the whole window tree, still hidden
  w->Centre();

  if (!CompleteStartup(*form)) return nullptr;
  return form;
}

bool CompleteStartup(MainForm& form) {
  if (!FileExists(ProgramFolder() + converter::kConverterName)) {
    ShowMessage(kConverterMissing);
    return false;
  }
  // A run that was killed left its working folder, pictures and all.
  RemoveAbandonedScratchFolders();
  LoadSettings(form);
  for (int panel = 0; panel < 3; ++panel) form.MainWindow->SetStatusText(panel, "");
  return true;
}

void HandleClose(MainForm& form, bool& accept) {
  SaveSettings(form);
  accept = true;
}

void LoadSettings(MainForm& form) {
  const RememberedFolders folders = ReadSettings();
  form.OutputPath = folders.OutputPath;
  form.LastPath = folders.LastPath;
}

void SaveSettings(MainForm& form) {
  if (form.SettingsSaved) return;
  form.SettingsSaved = true;
  WriteSettings(RememberedFolders{form.OutputPath, form.LastPath});
}

void HandleShow(MainForm& form) { form.MainWindow->SetWindowState(WindowState::Maximised); }

unsigned MainForm::CommandId(Command command) { return Menu::kFirstCommandId + CommandNumber(command); }

void MainForm::Run(Command command) {
  if (ChangesList(command) && !Busy.Admits(Input::ListCommand)) return;
  texlist::ImportContext imports{Textures, Folders, Parts, Parts, LastPath};
  exporter::ExportContext exports{Textures, Parts, Parts, Parts, Parts, MarkedConverter, Parts, OutputPath};
  switch (command) {
    case Command::ImportFiles:
      texlist::ImportFiles(imports, Parts);
      break;
    case Command::ImportFolder:
      texlist::ImportFolder(imports, Parts);
      break;
    case Command::ClearList:
      Textures.Clear();
      Preview.Clear();
      break;
    case Command::ExportSelected:
    case Command::ExportAll: {
      BusyState::Scope exporting(Busy, Activity::Export);
      if (command == Command::ExportAll)
        exporter::ExportAll(exports);
      else
        exporter::ExportSelected(exports);
      break;
    }
    case Command::About:
      ShowAbout(*this);
      break;
    case Command::Exit:
      ExitProgram(*this);
      break;
  }
}

void MainForm::HandleItemStateChange(unsigned newState) {
  if (!Busy.Admits(Input::Selection)) return;
  BusyState::Scope previewing(Busy, Activity::Preview);
  Preview.HandleItemStateChange(Textures, newState);
}

void MainForm::HandleDrop(const std::vector<std::string>& dropped, int leftOut) {
  if (!Busy.Admits(Input::Drop)) return;
  texlist::ImportContext imports{Textures, Folders, Parts, Parts, LastPath};
  texlist::HandleDroppedFiles(imports, dropped, leftOut);
}
