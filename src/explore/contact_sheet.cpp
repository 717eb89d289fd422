#include "explore/contact_sheet.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "render/caption_text.h"

namespace trochodraw {

int TContactSheetLayout::Rows(size_t Count) const {
  return static_cast<int>((Count + static_cast<size_t>(Columns) - 1) / static_cast<size_t>(Columns));
}

int TContactSheetLayout::SheetWidth() const { return Gap + Columns * (CellWidth + Gap); }

int TContactSheetLayout::SheetHeight(size_t Count) const {
  return Gap + std::max(Rows(Count), 1) * (CellHeight + CaptionHeight + Gap);
}

TRect TContactSheetLayout::PictureRect(size_t I) const {
  const int col = static_cast<int>(I % static_cast<size_t>(Columns));
  const int row = static_cast<int>(I / static_cast<size_t>(Columns));
  const int x = Gap + col * (CellWidth + Gap);
  const int y = Gap + row * (CellHeight + CaptionHeight + Gap);
  return {x, y, x + CellWidth, y + CellHeight};
}

TRect TContactSheetLayout::CaptionRect(size_t I) const {
  const TRect p = PictureRect(I);
  return {p.Left - Gap / 2, p.Bottom + 1, p.Right + Gap / 2, p.Bottom + CaptionHeight};
}

TBitmap ContactSheet(const std::vector<TBitmap>& Pictures, const std::vector<std::string>& Names,
                     const TContactSheetLayout& Layout) {
  if (Layout.Columns < 1 || Layout.CellWidth < 1 || Layout.CellHeight < 1)
    throw std::invalid_argument("a contact sheet needs at least one column and cells of at least 1 x 1");
  TBitmap sheet(Layout.SheetWidth(), Layout.SheetHeight(Pictures.size()));
  {
    TCanvas c(sheet);
    c.BrushColor = Layout.Background;
    c.FillRect({0, 0, sheet.Width(), sheet.Height()});
    for (size_t i = 0; i < Pictures.size(); ++i) {
      const TRect r = Layout.PictureRect(i);
      c.BrushColor = Layout.Frame;
      c.FillRect({r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1});
    }
  }
  for (size_t i = 0; i < Pictures.size(); ++i) {
    const TBitmap& p = Pictures[i];
    if (p.PixelFormat() != TPixelFormat::pfDevice || p.Width() != Layout.CellWidth || p.Height() != Layout.CellHeight)
      throw std::invalid_argument("every picture of a contact sheet must have the cell's size");
    const TRect r = Layout.PictureRect(i);
    const size_t rowBytes = static_cast<size_t>(Layout.CellWidth) * 4;
    for (int y = 0; y < Layout.CellHeight; ++y)
      std::memcpy(sheet.ScanLine(r.Top + y) + static_cast<size_t>(r.Left) * 4, p.ScanLine(y), rowBytes);
  }
  for (size_t i = 0; i < Pictures.size() && i < Names.size(); ++i)
    DrawCaption(sheet, Layout.CaptionRect(i), Names[i], Layout.TextColor, std::max(Layout.CaptionHeight - 7, 6));
  return sheet;
}

}  // namespace trochodraw
