// The preview of the selected row: converting its texture, loading the picture and the
// status texts, and what the preview pane paints.
#pragma once
#include <memory>
#include <string>

#include "converter/converter_runner.h"
#include "preview/shrink.h"
#include "preview/tga_image.h"
#include "texlist/texture_list.h"
#include "texlist/window_services.h"

namespace preview {

// The panels of the status bar.
class StatusTexts {
 public:
  virtual ~StatusTexts() = default;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
};

// The pane the picture is painted in.
class PreviewPane {
 public:
  virtual ~PreviewPane() = default;
  virtual void Invalidate() = 0;
};

struct PreviewContext {
  StatusTexts& status;
  texlist::Messages& messages;
  texlist::EventLoop& loop;
  converter::ConverterRunner& converter;
  PreviewPane& pane;
};

class Preview {
 public:
  explicit Preview(const PreviewContext& context);
  ~Preview();
  Preview(const Preview&) = delete;
  Preview& operator=(const Preview&) = delete;

  // The list's item-state change: a row that becomes exactly focused and selected shows
  // the first selected row.
  void HandleItemStateChange(const texlist::TextureList& list, unsigned newState);
  // The list was cleared: no picture, empty status texts.
  void Clear();

  // The picture to paint; null while no row is previewed.
  const TgaImage* Shown() const { return shown_ ? &image_ : nullptr; }
  // The shown picture shrunk to width x height, made once per picture and size.
  const Bitmap& Shrunk(int32_t width, int32_t height) { return shrunk_.Get(image_.colorBitmap, width, height); }

 private:
  void Show(const texlist::TextureList& list, int row);
  void DiscardOutput();

  PreviewContext context_;
  // The converter's file of the picture shown, deleted once the picture is on screen: a
  // large file's delete takes as long as painting it.
  converter::ConverterOutput output_;
  TgaImage image_;  // the one picture of the run, its storage reused from row to row
  bool shown_ = false;
  ShrinkCache shrunk_;
};

}  // namespace preview
