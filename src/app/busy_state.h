// The one busy state of the run: an export running, a preview being made, a converter
// running for either. Every command, drop and selection is checked here before it reaches
// its feature.
#pragma once
#include <string>

#include "converter/converter_runner.h"

namespace app {

enum class Activity { None, Export, Preview, Conversion };

enum class Input {
  ListCommand,  // a command that reads or changes the list: imports, clearing, exports
  Drop,
  Selection,
};

class BusyState {
 public:
  // Messages handled between exported rows may bring commands and drops, which would
  // change the list under the export: they wait for it to end. A row may be previewed
  // between two exported rows, never while a converter runs (the window is handled while
  // it does); a second preview never starts inside the first.
  bool Admits(Input input) const {
    if (activity_ == Activity::None) return true;
    return input == Input::Selection && activity_ == Activity::Export;
  }

  // Marks an activity for its lifetime.
  class Scope {
   public:
    Scope(BusyState& state, Activity activity) : state_(state), before_(state.activity_) {
      state_.activity_ = activity;
    }
    ~Scope() { state_.activity_ = before_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    BusyState& state_;
    Activity before_;
  };

 private:
  Activity activity_ = Activity::None;
};

// A converter whose runs mark the busy state: one converter at a time, though the window
// is handled while it runs.
class BusyConverter : public converter::ConverterRunner {
 public:
  BusyConverter(converter::ConverterRunner& runner, BusyState& state) : runner_(runner), state_(state) {}
  void DeleteStaleOutput() override { runner_.DeleteStaleOutput(); }
  converter::ConverterOutput Run(const std::string& ddsPath) override {
    BusyState::Scope converting(state_, Activity::Conversion);
    return runner_.Run(ddsPath);
  }
  void Discard(const converter::ConverterOutput& output) override { runner_.Discard(output); }

 private:
  converter::ConverterRunner& runner_;
  BusyState& state_;
};

}  // namespace app
