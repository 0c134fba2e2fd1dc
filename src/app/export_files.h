// The export's target files on disk: toolkit file operations behind export's interface.
#pragma once
#include "export/export_commands.h"

namespace app {

class ExportFiles : public exporter::TargetFiles {
 public:
  bool Write(const std::string& source, const std::string& target) override;
  bool SameFile(const std::string& a, const std::string& b) override;
  std::string ComparedName(const std::string& path) override;
};

}  // namespace app
