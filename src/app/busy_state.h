// The one busy state of the run: an export running or a preview being made. Every
// command, drop and selection is checked here before it reaches its feature.
#pragma once

enum class Activity { None, Export, Preview };

enum class Input {
  ListCommand,  // a command that reads or changes the list: imports, clearing, exports
  Drop,
  Selection,
};

class BusyState {
 public:
  // Messages handled between exported rows may bring commands and drops, which would
  // change the list under the export: they wait for it to end. A row may be previewed
  // between two exported rows; a second preview never starts inside the first (its
  // message boxes let messages through).
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
