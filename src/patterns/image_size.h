#pragma once

#include <array>
#include <optional>

namespace trochodraw {

struct TImageSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TImageSize&, const TImageSize&) = default;
};

struct TImageSizeItem {
  const char* Caption;
  TImageSize Size;
};

// The items of "Image Size" and the sizes behind them. The first item is captioned
// "320x240" but gives 320 x 200, as it always has.
inline constexpr std::array<TImageSizeItem, 6> kImageSizeItems{{{"320x240", {320, 200}},
                                                                {"640x480", {640, 480}},
                                                                {"800x600", {800, 600}},
                                                                {"1024x768", {1024, 768}},
                                                                {"1280x960", {1280, 960}},
                                                                {"1600x1200", {1600, 1200}}}};

// The item selected when the program starts (640x480, the figure's first size).
inline constexpr int kDefaultImageSizeItem = 1;

// The limits of the width and height spins.
inline constexpr int kMinImageSide = 1;
inline constexpr int kMaxImageSide = 100000;

// The size behind item Index; none when no item (or an index beyond the items) is selected.
std::optional<TImageSize> ImageSizeOfItem(int Index);

}  // namespace trochodraw
