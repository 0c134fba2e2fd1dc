// Running the outside converter on one DDS file and finding what it wrote.
#pragma once
#include <functional>
#include <string>
#include <utility>

#include "toolkit/portable/file_system.h"

namespace converter {

extern const char kConverterName[];  // "readdxt.exe", beside the program

// The file one run wrote ("test.tga" in the run's working folder or the program folder).
struct ConverterOutput {
  bool produced = false;
  std::string path;  // the file to use and discard; empty when nothing was produced
};

class ConverterRunner {
 public:
  virtual ~ConverterRunner() = default;
  // Deletes an output left in the working folder from before, should one be there.
  virtual void DeleteStaleOutput() = 0;
  // Runs the converter and waits for it, the window painting and answering meanwhile; a
  // failed start or wait has been reported when this returns. Closing the window ends
  // the converter: then nothing was produced.
  virtual ConverterOutput Run(const std::string& ddsPath) = 0;
  // Deletes what Run produced (nothing when it produced nothing).
  virtual void Discard(const ConverterOutput& output) = 0;
};

// readdxt.exe from the program folder, hidden, with the quoted DDS path, working in a
// folder of this process's own: two programs started from one folder never share an
// output, and a program folder that cannot be written still previews. A failed start or
// wait is told through `showMessage` (the main window's message box).
class ProgramConverter : public ConverterRunner {
 public:
  using ShowMessage = std::function<void(const std::string& text)>;
  explicit ProgramConverter(ShowMessage showMessage) : showMessage_(std::move(showMessage)) {}
  void DeleteStaleOutput() override;
  ConverterOutput Run(const std::string& ddsPath) override;
  void Discard(const ConverterOutput& output) override;

 private:
  ShowMessage showMessage_;
  toolkit::ScratchFolder workFolder_;
};

}  // namespace converter
