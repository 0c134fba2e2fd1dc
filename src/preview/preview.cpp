#include "preview/preview.h"

#include "toolkit/portable/path_helpers.h"

namespace preview {

namespace {

constexpr unsigned kFocused = 0x1;
constexpr unsigned kSelected = 0x2;

const char kTooLarge[] = "Текстура слишком велика для предпросмотра.";

// A picture too large to hold still shows its true size.
std::string InfoLine(const TgaImage& image) {
  using toolkit::IntToDecimal;
  const int width = image.TooLarge() ? image.width : image.colorBitmap.Width();
  const int height = image.TooLarge() ? image.height : image.colorBitmap.Height();
  return IntToDecimal(width) + " x " + IntToDecimal(height) + " x " + IntToDecimal(image.pixelDepth) + " BPP";
}

}  // namespace

Preview::Preview(const PreviewContext& context) : context_(context) {}

Preview::~Preview() {
  if (!output_.produced) return;
  DiscardOutput();
  context_.loop.WhenIdle(nullptr);
}

void Preview::DiscardOutput() {
  context_.converter.Discard(output_);
  output_ = converter::ConverterOutput();
}

void Preview::HandleItemStateChange(const texlist::TextureList& list, unsigned newState) {
  if (newState != (kFocused | kSelected)) return;
  const int row = list.FirstSelected();
  if (row < 0) return;
  Show(list, row);
}

void Preview::Show(const texlist::TextureList& list, int row) {
  shown_ = true;
  DiscardOutput();
  context_.converter.DeleteStaleOutput();
  context_.status.SetStatusText(
      1, toolkit::IntToDecimal(row + 1) + " / " + toolkit::IntToDecimal(list.TextureCount()));
  // A copy: the list may change while the converter's messages are on screen.
  const std::string path = list.FullPath(row);
  context_.status.SetStatusText(2, path);
  context_.loop.ShowWaitCursor(true);
  output_ = context_.converter.Run(path);
  context_.loop.ShowWaitCursor(false);
  // Without output the picture is loaded from nothing: an empty 0 x 0 x 0 picture.
  image_.LoadFile(output_.path);
  context_.status.SetStatusText(0, InfoLine(image_));
  context_.pane.Invalidate();
  if (output_.produced) context_.loop.WhenIdle([this] { DiscardOutput(); });
  if (image_.TooLarge()) context_.messages.Show(kTooLarge);
}

void Preview::Clear() {
  shown_ = false;
  DiscardOutput();
  for (int panel = 0; panel < 3; ++panel) context_.status.SetStatusText(panel, "");
  image_.colorBitmap.Reset();
  shrunk_.Drop();
  context_.pane.Invalidate();
}

}  // namespace preview
