// Adding rows to the texture list and clearing it.
#pragma once
#include <string>

struct MainForm;

// Appends one entry and one row (name, size in bytes, folder) for the file at `path`.
void AddTextureFile(MainForm& form, const std::string& path);
