#include "animation/frame_schedule.h"

#include <cstddef>

namespace trochodraw {

namespace {
__extension__ typedef unsigned __int128 TUInt128;
}

std::vector<uint64_t> SpreadFrameTicks(uint64_t Ticks, int Frames) {
  std::vector<uint64_t> out;
  if (Frames <= 0) return out;
  out.reserve(static_cast<size_t>(Frames));
  if (Frames == 1) {
    out.push_back(Ticks);
    return out;
  }
  const auto last = static_cast<TUInt128>(Frames - 1);
  for (int i = 0; i < Frames; ++i)
    out.push_back(static_cast<uint64_t>((static_cast<TUInt128>(Ticks) * static_cast<unsigned>(i) + last / 2) / last));
  return out;
}

std::vector<uint64_t> EveryFrameTicks(uint64_t Every, int Frames) {
  std::vector<uint64_t> out;
  for (int i = 0; i < Frames; ++i) out.push_back(Every * static_cast<uint64_t>(i));
  return out;
}

int64_t FrameTime(int64_t Index, int Fps, int Units) {
  const int64_t num = Index * Units;
  return (2 * num + Fps) / (2 * static_cast<int64_t>(Fps));  // nearest, halves up
}

std::vector<int64_t> FrameTimes(int Frames, int Fps, int Units) {
  std::vector<int64_t> out;
  for (int i = 0; i <= Frames; ++i) out.push_back(FrameTime(i, Fps, Units));
  return out;
}

}  // namespace trochodraw
