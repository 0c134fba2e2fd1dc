// The main window's controls and dialogs behind the narrow interfaces of the features, one
// small adapter each; the main window makes each once and hands it to its features.
#pragma once
#include "export/export_commands.h"
#include "preview/preview.h"
#include "texlist/imports.h"
#include "texlist/texture_list.h"
#include "texlist/window_services.h"
#include "toolkit/win/controls_win.h"
#include "toolkit/win/folder_chooser_win.h"
#include "toolkit/win/form_win.h"
#include "toolkit/win/list_view_win.h"
#include "toolkit/win/open_dialog_win.h"

namespace app {

class ProgramMessages : public texlist::Messages {
 public:
  void Show(const std::string& text) override;
};

class ProgramLoop : public texlist::EventLoop {
 public:
  bool ProcessMessages() override;
  void ShowWaitCursor(bool on) override;
  void WhenIdle(std::function<void()> work) override;
};

class StatusBar : public preview::StatusTexts {
 public:
  explicit StatusBar(toolkit::Form& window) : window_(window) {}
  void SetStatusText(int panel, const std::string& text) override { window_.SetStatusText(panel, text); }

 private:
  toolkit::Form& window_;
};

class ExportProgressBar : public exporter::ProgressDisplay {
 public:
  explicit ExportProgressBar(toolkit::ProgressBar& bar) : bar_(bar) {}
  void SetProgress(int percent) override { bar_.SetPosition(percent); }

 private:
  toolkit::ProgressBar& bar_;
};

class FolderDialog : public texlist::FolderPrompt {
 public:
  FolderDialog(toolkit::FolderChooser& chooser, texlist::Messages& messages)
      : chooser_(chooser), messages_(messages) {}
  bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& folder) override;

 private:
  toolkit::FolderChooser& chooser_;
  texlist::Messages& messages_;
};

class FileDialog : public texlist::FilePrompt {
 public:
  explicit FileDialog(toolkit::OpenDialog& dialog) : dialog_(dialog) {}
  bool ChooseFiles(const std::string& title, const std::string& filter, const std::string& initialDir,
                   std::vector<std::string>& chosen, int& leftOut) override;

 private:
  toolkit::OpenDialog& dialog_;
};

class ListRows : public texlist::TextureRows {
 public:
  explicit ListRows(toolkit::ListView& list) : list_(list) {}
  void ShowRowCount(int count) override { list_.SetRowCount(count); }
  void DeleteAllRows() override { list_.DeleteAllRows(); }
  std::vector<int> SelectedRows() override;
  int FirstSelected() override { return list_.FirstSelected(); }

 private:
  toolkit::ListView& list_;
};

// The paint box the preview paints in; `preview` may be made after this adapter, as it is
// first used when the preview invalidates the pane.
class PreviewBoxPane : public preview::PreviewPane {
 public:
  PreviewBoxPane(toolkit::PaintBox& box, preview::Preview& preview) : box_(box), preview_(preview) {}
  void Invalidate() override;

 private:
  toolkit::PaintBox& box_;
  preview::Preview& preview_;
};

}  // namespace app
