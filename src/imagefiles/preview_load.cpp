#include "imagefiles/preview_load.h"

#include <filesystem>
#include <system_error>

#include "imagefiles/file_io.h"
#include "imagefiles/format_registry.h"

namespace trochodraw {

namespace {

// No picture file of ours comes near this; a bigger file is not read into memory.
constexpr std::uintmax_t kMaxPictureFileBytes = std::uintmax_t{1} << 30;

}  // namespace

TBitmap PreviewLoad(const std::string& FileName) {
  const std::string ext = FileExtension(FileName);
  const TPictureClass* cls = ClassForExtension(ext);
  if (!cls) throw EImageError("Unknown picture file extension (." + ext + ")");
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(FileName, ec);
  if (!ec && size > kMaxPictureFileBytes) throw EImageError("Picture file is too large: " + FileName);
  const std::vector<uint8_t> data = ReadWholeFile(FileName);
  return cls->LoadFromData(data.data(), data.size());
}

TPicturePreview::TPicturePreview() { ShowEmpty(); }

bool TPicturePreview::SelectionChanged(const std::string& FileName) {
  if (FileName == FShownName) return false;
  FShownName = FileName;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FileName, ec)) {
    ShowEmpty();
    FFailure = ec ? ec.message() : std::string();
    return true;
  }
  try {
    auto picture = std::make_unique<TBitmap>(PreviewLoad(FileName));
    FLabel = " (" + std::to_string(picture->Width()) + "x" + std::to_string(picture->Height()) + ")";
    FPanelText.clear();
    FFailure.clear();
    FPicture = std::move(picture);
  } catch (const std::exception& e) {
    ShowEmpty();
    FFailure = e.what();
  }
  return true;
}

void TPicturePreview::ShowEmpty() {
  FLabel = "Picture:";
  FPanelText = "(None)";
  FPicture.reset();
  FFailure.clear();
}

}  // namespace trochodraw
