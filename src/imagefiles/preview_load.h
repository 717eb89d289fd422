#pragma once

#include <memory>
#include <string>

#include "render/bitmap.h"

namespace trochodraw {

// Reads a picture file with the reader its extension selects. Throws EImageError:
// "Unknown picture file extension (.ext)" when no format is registered for it, or the
// reader's own message.
TBitmap PreviewLoad(const std::string& FileName);

// What the save dialog's preview pane shows; the dialog only binds these to its widgets.
class TPicturePreview {
 public:
  TPicturePreview();

  // The selection changed to FileName. A name equal to the one shown last does nothing
  // (returns false); otherwise the file is loaded, or the empty state shown when it does
  // not exist or cannot be read.
  bool SelectionChanged(const std::string& FileName);

  const std::string& ShownName() const { return FShownName; }
  // "Picture:" in the empty state, " (WxH)" with a picture's size once one is loaded.
  const std::string& Label() const { return FLabel; }
  // "(None)" in the empty state, else empty.
  const std::string& PanelText() const { return FPanelText; }
  bool PreviewEnabled() const { return FPicture != nullptr; }
  // nullptr in the empty state.
  const TBitmap* Picture() const { return FPicture.get(); }
  // Why the last load failed (for a tooltip); empty after a success.
  const std::string& Failure() const { return FFailure; }

 private:
  void ShowEmpty();

  std::string FShownName;
  std::string FLabel;
  std::string FPanelText;
  std::string FFailure;
  std::unique_ptr<TBitmap> FPicture;
};

}  // namespace trochodraw
