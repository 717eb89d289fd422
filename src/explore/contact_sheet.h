#pragma once

#include <string>
#include <vector>

#include "render/bitmap.h"
#include "render/canvas.h"

namespace trochodraw {

// Thumbnails in a grid, each framed, with its name under it.
struct TContactSheetLayout {
  int Columns = 4;
  int CellWidth = 200;
  int CellHeight = 150;
  int CaptionHeight = 20;
  int Gap = 10;
  TColor Background = 0xE8E8E8;
  TColor Frame = clGray;
  TColor TextColor = clBlack;

  int Rows(size_t Count) const;
  int SheetWidth() const;
  int SheetHeight(size_t Count) const;
  // Where cell I's picture and its caption go.
  TRect PictureRect(size_t I) const;
  TRect CaptionRect(size_t I) const;
};

// The sheet of the pictures (each CellWidth x CellHeight, display format) with Names[i] under
// picture i. Captions need the application object of Qt's GUI module.
TBitmap ContactSheet(const std::vector<TBitmap>& Pictures, const std::vector<std::string>& Names,
                     const TContactSheetLayout& Layout);

}  // namespace trochodraw
