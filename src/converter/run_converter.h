// Starting the converter on one DDS file and finding what it wrote.
#pragma once
#include <string>

// Starts readdxt.exe hidden in the program folder with the quoted DDS path, waits for it
// to end, and reports a failed start or wait in a message box.
void RunConverter(const std::string& ddsPath);

// The outcome of one converter run: the "test.tga" this run wrote, in the program folder
// or beside the DDS file, or nothing.
struct ConverterResult {
  bool produced = false;
  std::string outputPath;  // the file to use and delete; empty when nothing was produced
};

// Runs the converter and picks its output. A "test.tga" that already lay beside the DDS
// file and was not rewritten by this run is someone else's file: it is neither used nor
// deleted.
ConverterResult RunConverterForOutput(const std::string& ddsPath);

std::string ProgramOutputPath();  // ProgramFolder + "test.tga"
