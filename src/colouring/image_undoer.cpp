#include "colouring/image_undoer.h"

namespace trochodraw {

namespace {

[[noreturn]] void NoImage() { throw EImageError("No Image Set"); }

}  // namespace

TImageUndoer::~TImageUndoer() {
  if (FAutoUpdate) Hook(false);
}

void TImageUndoer::Hook(bool On) {
  if (!FImage) return;
  if (On)
    FImage->OnCanvasChange = [this] {
      if (FAutoUpdate) Store();
    };
  else
    FImage->OnCanvasChange = nullptr;
}

void TImageUndoer::SetImage(TImageHolder* Image) {
  if (Image == FImage) return;
  if (FAutoUpdate) Hook(false);
  FImage = Image;
  if (FAutoUpdate) {
    if (FImage)
      Hook(true);
    else
      FAutoUpdate = false;
  }
}

void TImageUndoer::SetAutoUpdate(bool Value) {
  if (Value == FAutoUpdate) return;
  if (Value && !FImage) NoImage();
  FAutoUpdate = Value;
  Hook(Value);
}

bool TImageUndoer::DoStoreQuery() {
  bool canStore = true;
  if (OnStoreQuery) OnStoreQuery(canStore);
  return canStore;
}

void TImageUndoer::DoChange() {
  if (OnChange) OnChange();
}

void TImageUndoer::Store() {
  if (!FImage) NoImage();
  if (FImage->Picture.Empty()) return;
  if (!DoStoreQuery()) return;
  TBitmapUndoer::Store(FImage->Picture);
  DoChange();
}

void TImageUndoer::Undo() {
  if (!FImage) NoImage();
  if (TBitmapUndoer::Undo(FImage->Picture)) FImage->PictureChanged();
  DoChange();
}

}  // namespace trochodraw
