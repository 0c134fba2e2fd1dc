// Showing the texture of the selected row.
#pragma once

struct MainForm;

// The list's item-state change: a row that becomes exactly focused and selected shows
// the first selected row.
void HandleItemStateChange(MainForm& form, int first, int last, unsigned oldState, unsigned newState);
