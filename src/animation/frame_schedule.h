#pragma once

#include <cstdint>
#include <vector>

namespace trochodraw {

// After how many ticks of the run each frame is taken. The first frame shows the machine
// before its first tick, the last one after the whole run: Ticks spread over Frames frames,
// as evenly as whole ticks allow.
std::vector<uint64_t> SpreadFrameTicks(uint64_t Ticks, int Frames);
// A frame every Every ticks, Frames frames: 0, Every, 2 x Every, ...
std::vector<uint64_t> EveryFrameTicks(uint64_t Every, int Frames);

// When each frame starts, in Units a second (100: GIF's hundredths; 1000: milliseconds), and
// as the last of Frames + 1 values when the animation ends; rounded, so that the delays add
// up to the exact duration: FrameTimes(3, 30, 100) = 0, 3, 7, 10.
std::vector<int64_t> FrameTimes(int Frames, int Fps, int Units);
// The start of frame Index alone (Index = Frames: the end).
int64_t FrameTime(int64_t Index, int Fps, int Units);

}  // namespace trochodraw
