// The main window's controls and dialogs behind the narrow interfaces of the features.
#pragma once
#include "export/export_commands.h"
#include "preview/preview.h"
#include "texlist/texture_list.h"
#include "toolkit/window_parts.h"

struct MainForm;

class WindowParts : public toolkit::Messages,
                    public toolkit::StatusTexts,
                    public toolkit::ProgressDisplay,
                    public toolkit::FolderPrompt,
                    public toolkit::FilePrompt,
                    public toolkit::EventLoop,
                    public texlist::TextureRows,
                    public preview::PreviewPane,
                    public exporter::TargetFiles {
 public:
  explicit WindowParts(MainForm& form) : form_(form) {}

  void Show(const std::string& text) override;
  void SetStatusText(int panel, const std::string& text) override;
  void SetProgress(int percent) override;
  bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& folder) override;
  bool ChooseFiles(const std::string& title, const std::string& filter, const std::string& initialDir,
                   std::vector<std::string>& chosen, int& leftOut) override;
  bool ProcessMessages() override;
  void ShowWaitCursor(bool on) override;
  void ShowRowCount(int count) override;
  void DeleteAllRows() override;
  std::vector<int> SelectedRows() override;
  int FirstSelected() override;
  void Invalidate() override;
  bool Write(const std::string& source, const std::string& target) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::string ComparedName(const std::string& path) override;

 private:
  MainForm& form_;
};
