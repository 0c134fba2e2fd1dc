// The export worker: converts the chosen rows one after another and copies each output
// into the export folder.
#pragma once
#include <string>

struct MainForm;

struct ExportOutcome {
  int total = 0;             // rows the export set out to write
  int failed = 0;            // rows without a written target
  bool interrupted = false;  // the application was told to end between two rows
};

// Exports every row (allEntries) or the selected rows, in ascending row order, into
// `folder`. Moves the progress bar after every row and lets pending messages through;
// stops after the row in which the application was told to end.
ExportOutcome ExportTextures(MainForm& form, bool allEntries, const std::string& folder);
