// Construction of the main window, in the order that fixes alignment and the inheritance
// of colours, fonts and gaps; start-up check; close and show handlers.
#include "app/main_form.h"

#include "app/handlers.h"
#include "app/settings.h"
#include "preview/tga_image.h"
#include "toolkit/application.h"
#include "toolkit/file_system.h"

using namespace toolkit;

const char kConverterName[] = "readdxt.exe";
const char kConverterMissing[] = "Не найден файл readdxt.exe";

namespace {

constexpr Color kWindowColor = 0xC0C0C0;
constexpr Color kPreviewBackground = 0xA4A0A0;

const std::vector<std::string> kMainMenuTemplate = {
    "Файл",
    "(",
    "Импортировать DDS-файл(ы) в список...",
    "Импортировать DDS-файлы в список из папки...",
    "-",
    "Выход",
    ")",
    "Очистить список",
    "?",
    "",
};

const std::vector<std::string> kListPopupTemplate = {
    "Экспортировать выбранное в TGA ...",
    "Экспортировать все в TGA...",
    "",
};

// Menu handlers ignore the menu and the index.
Menu::Handler Command(MainForm* form, void (*handler)(MainForm&)) {
  return [form, handler](Menu&, int) { handler(*form); };
}

}  // namespace

MainForm::MainForm() = default;
MainForm::~MainForm() = default;

std::unique_ptr<MainForm> CreateMainForm() {
  auto form = std::make_unique<MainForm>();
  MainForm* f = form.get();

  form->window = Form::Create("Texlook");
  Form* w = form->window.get();
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

  form->MainMenu = Menu::Create(*w, kMainMenuTemplate);
  form->MainMenu->SetItemHandler(1, Command(f, ImportFiles));
  form->MainMenu->SetItemHandler(2, Command(f, ImportFolder));
  form->MainMenu->SetItemHandler(4, Command(f, ExitProgram));
  form->MainMenu->SetItemHandler(5, Command(f, ClearList));
  form->MainMenu->SetItemHandler(6, Command(f, ShowAbout));

  CreateDialogs(*form);

  form->ListPopupMenu = Menu::Create(*w, kListPopupTemplate);
  form->ListPopupMenu->SetItemHandler(0, Command(f, ExportSelected));
  form->ListPopupMenu->SetItemHandler(1, Command(f, ExportAll));

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

  form->PreviewScrollBox = Control::Create<ScrollBox>(form->PreviewGroupBox, Edge::Lowered, ScrollBox::Bars::None);
  form->PreviewScrollBox->SetAlign(Align::Client);
  form->PreviewScrollBox->SetColor(kPreviewBackground);
  form->PreviewScrollBox->SetGap(2);
  form->PreviewScrollBox->SetDoubleBuffered(true);

  form->PreviewBox = Control::Create<PaintBox>(form->PreviewScrollBox);
  form->PreviewBox->SetAlign(Align::Client);
  form->PreviewBox->onPaint = [f](Control&, DeviceContext dc) { PaintPreview(*f, dc); };

  form->ListPanel = Control::Create<Panel>(w, Edge::None);
  form->ListPanel->SetAlign(Align::Left);
  form->ListPanel->SetWidth(209);

  form->ListGroupBox = Control::Create<GroupBox>(form->ListPanel, "Список файлов DDS ");
  form->ListGroupBox->SetAlign(Align::Client);
  form->ListGroupBox->SetTabStop(false);
  form->ListGroupBox->SetColor(kColorActiveBorder);
  form->ListGroupBox->SetMarginRight(0);

  ListView::Options listOptions;
  listOptions.multiSelect = true;
  listOptions.infoTips = true;
  form->FileList = Control::Create<ListView>(form->ListGroupBox, listOptions);
  form->FileList->SetAlign(Align::Client);
  form->FileList->SetColor(kColorWindow);
  form->FileList->SetDoubleBuffered(true);
  form->FileList->onItemStateChange = [f](ListView&, int first, int last, unsigned oldState, unsigned newState) {
    HandleItemStateChange(*f, first, last, oldState, newState);
  };
  form->FileList->onDrop = [f](ListView&, const std::string& dropped, int, int) { HandleDroppedFiles(*f, dropped); };
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
  if (!FileExists(ProgramFolder() + kConverterName)) {
    ShowMessage(kConverterMissing);
    return false;
  }
  LoadSettings(form);
  form.PreviewImage = std::make_unique<preview::TgaImage>();
  for (int panel = 0; panel < 3; ++panel) form.MainWindow->SetStatusText(panel, "");
  return true;
}

void HandleClose(MainForm& form, bool& accept) {
  SaveSettings(form);
  accept = true;
}

void HandleShow(MainForm& form) { form.MainWindow->SetWindowState(WindowState::Maximised); }
