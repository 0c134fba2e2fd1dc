#include "preview/selection.h"

#include "app/handlers.h"
#include "app/main_form.h"
#include "converter/run_converter.h"
#include "preview/tga_image.h"
#include "toolkit/file_system.h"
#include "toolkit/path_helpers.h"

namespace {

constexpr unsigned kFocused = 0x1;
constexpr unsigned kSelected = 0x2;

std::string InfoLine(const preview::TgaImage& image) {
  using toolkit::IntToDecimal;
  return IntToDecimal(image.ColorBitmap.Width()) + " x " + IntToDecimal(image.ColorBitmap.Height()) + " x " +
         IntToDecimal(image.PixelDepth) + " BPP";
}

// Message boxes of the converter runner let messages through; a second selection must
// not start a second converter on the same output file.
bool g_previewRunning = false;

}  // namespace

void HandleItemStateChange(MainForm& form, int, int, unsigned, unsigned newState) {
  if (newState != (kFocused | kSelected) || g_previewRunning) return;
  const int index = form.FileList->FirstSelected();
  if (index < 0 || index >= form.textures.TextureCount()) return;
  g_previewRunning = true;
  TextureList& list = form.textures;
  list.CurrentIndex = index;
  toolkit::DeleteFileAt(ProgramOutputPath());
  form.MainWindow->SetStatusText(
      1, toolkit::IntToDecimal(index + 1) + " / " + toolkit::IntToDecimal(list.TextureCount()));
  // A copy: the list may change while the converter's messages are on screen.
  const std::string path = list.TexturePaths[index].FullPath;
  form.MainWindow->SetStatusText(2, path);
  ConverterResult result = RunConverterForOutput(path);
  form.ConverterOutputPath = result.outputPath;
  // Without output the image is loaded from nothing: an empty 0 x 0 x 0 picture.
  form.PreviewImage->LoadFile(result.outputPath);
  form.MainWindow->SetStatusText(0, InfoLine(*form.PreviewImage));
  if (result.produced) toolkit::DeleteFileAt(result.outputPath);
  form.PreviewBox->Invalidate();
  g_previewRunning = false;
}
