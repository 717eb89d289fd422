#include "explore/thumbnail.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "explore/contact_sheet.h"
#include "explore/thumbnail_batch.h"
#include "support/image_compare.h"

using namespace trochodraw;
using trochodraw::testing::SamePixels;

namespace {

const TPattern& Named(const std::string& Name) {
  for (const TPattern& p : DefaultPatterns())
    if (p.Name == Name) return p;
  throw std::runtime_error("no " + Name);
}

int CountColour(const TBitmap& B, TColor C, const TRect& R) {
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) n += B.GetPixel(x, y) == C;
  return n;
}

TRect Whole(const TBitmap& B) { return {0, 0, B.Width(), B.Height()}; }

TEST(ThumbnailTest, TicksAreTheWholeFigureElseItsNearClosureElseTheBudget) {
  struct Case {
    const char* Pattern;
    uint64_t MaxTicks;
    uint64_t Ticks;
    TFigureSpan Span;
  };
  const Case cases[] = {
      {"Owl Eyes", 100000, 3450, TFigureSpan::fsWhole},
      {"Owl Eyes", 3449, 3449, TFigureSpan::fsBudget},  // it closes only at 3450
      {"Loop", 100000, 5567, TFigureSpan::fsNearClosure},
      {"Mobius", 100000, 100000, TFigureSpan::fsBudget},
  };
  for (const Case& c : cases) {
    const TFigureTicks t = ThumbnailTicks(PatternMachine(Named(c.Pattern)).Settings, c.MaxTicks);
    EXPECT_EQ(t.Ticks, c.Ticks) << c.Pattern;
    EXPECT_EQ(t.Span, c.Span) << c.Pattern;
  }
  TPattern still = Named("Owl Eyes");
  still.RPM1 = still.RPM2 = 0;
  EXPECT_EQ(ThumbnailTicks(PatternMachine(still).Settings, 100).Span, TFigureSpan::fsStill);
}

TEST(ThumbnailTest, DrawsTheFigureInTheGivenColoursAndSize) {
  TThumbnailOptions o;
  o.Width = 160;
  o.Height = 100;
  o.Background = 0x203040;
  o.Lines.SingleColor = 0x00FFFF;
  o.Antialias = false;  // plain strokes: the pen colour itself lands on the pixels
  const TThumbnail t = RenderThumbnail(Named("Owl Eyes"), o);
  EXPECT_EQ(t.Image.Width(), 160);
  EXPECT_EQ(t.Image.Height(), 100);
  EXPECT_EQ(t.TicksRun, 3450u);
  EXPECT_FALSE(t.Cancelled);
  const int pen = CountColour(t.Image, 0x00FFFF, Whole(t.Image));
  const int back = CountColour(t.Image, 0x203040, Whole(t.Image));
  EXPECT_GT(pen, 500);
  EXPECT_GT(back, 160 * 100 / 2);
  EXPECT_EQ(pen + back, 160 * 100) << "nothing but pen and background";
  // The figure shrinks into the picture: nothing touches the edge at Owl Eyes' scale.
  EXPECT_EQ(CountColour(t.Image, 0x00FFFF, {0, 0, 160, 1}), 0);
}

TEST(ThumbnailTest, ThreadsDrawTheSamePixelsAsOne) {
  TPatternArray some(DefaultPatterns().begin() + 10, DefaultPatterns().begin() + 16);
  TThumbnailOptions o;
  o.MaxTicks = 20000;
  o.Lines.Mode = lcDistance;  // state that runs along the strokes: one colouring per picture
  const auto together = RenderThumbnails(some, o, 3);
  ASSERT_EQ(together.size(), some.size());
  for (size_t i = 0; i < some.size(); ++i)
    EXPECT_TRUE(SamePixels(together[i].Image, RenderThumbnail(some[i], o).Image)) << some[i].Name;
}

TEST(ThumbnailTest, ACancelledPictureStopsAtOnce) {
  std::atomic<bool> cancel{true};
  const TThumbnail t = RenderThumbnail(Named("Mobius"), TThumbnailOptions{}, &cancel);
  EXPECT_TRUE(t.Cancelled);
  EXPECT_EQ(t.TicksRun, 0u);
}

// Runs the event loop until the batch is done, or gives up after a minute so that a fault
// fails the test instead of hanging it.
void WaitFor(TThumbnailBatch& Batch) {
  QEventLoop loop;
  QObject::connect(&Batch, &TThumbnailBatch::Finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  if (Batch.Busy()) loop.exec();
}

TEST(ThumbnailBatchTest, ResultsArriveOnTheBatchThreadAndOldOnesNever) {
  TThumbnailBatch batch;
  std::vector<int> arrived;
  std::vector<std::string> names;
  bool onMainThread = true;
  QObject::connect(&batch, &TThumbnailBatch::ThumbnailReady, [&](int Index, const TThumbnailResult& R) {
    onMainThread = onMainThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    arrived.push_back(Index);
    names.push_back(R.Pattern.Name);
  });
  TThumbnailOptions o;
  o.Width = 80;
  o.Height = 60;
  // A first start of long pictures, replaced at once: none of them may arrive.
  std::vector<TThumbnailBatch::TJob> first;
  for (int i = 0; i < 4; ++i) first.push_back(TThumbnailBatch::RenderJob(Named("Mobius"), o));
  batch.Start(std::move(first));
  std::vector<TThumbnailBatch::TJob> second;
  for (const char* n : {"Owl Eyes", "Smile", "Loop"}) second.push_back(TThumbnailBatch::RenderJob(Named(n), o));
  second.push_back([](const std::atomic<bool>&) -> TThumbnailResult { throw std::runtime_error("no such figure"); });
  std::string error;
  QObject::connect(&batch, &TThumbnailBatch::ThumbnailReady, [&](int, const TThumbnailResult& R) {
    if (!R.Error.empty()) error = R.Error;
  });
  batch.Start(std::move(second));
  WaitFor(batch);
  EXPECT_TRUE(onMainThread);
  std::sort(arrived.begin(), arrived.end());
  EXPECT_EQ(arrived, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(std::count(names.begin(), names.end(), "Mobius"), 0);
  EXPECT_EQ(error, "no such figure");
  EXPECT_FALSE(batch.Busy());
}

TEST(ContactSheetTest, OneDrawnCellPerPattern) {
  TContactSheetLayout l;
  l.Columns = 3;
  l.CellWidth = 90;
  l.CellHeight = 60;
  TThumbnailOptions o;
  o.Width = 90;
  o.Height = 60;
  o.MaxTicks = 5000;
  TPatternArray list(DefaultPatterns().begin(), DefaultPatterns().begin() + 5);
  std::vector<TBitmap> pictures;
  std::vector<std::string> names;
  for (TThumbnail& t : RenderThumbnails(list, o)) pictures.push_back(std::move(t.Image));
  for (const TPattern& p : list) names.push_back(p.Name);
  const TBitmap sheet = ContactSheet(pictures, names, l);
  EXPECT_EQ(sheet.Width(), 10 + 3 * 100);
  EXPECT_EQ(sheet.Height(), 10 + 2 * (60 + 20 + 10));
  for (size_t i = 0; i < 6; ++i) {
    const TRect picture = l.PictureRect(i), caption = l.CaptionRect(i);
    const int ink = picture.IsEmpty() ? 0 : 90 * 60 - CountColour(sheet, clWhite, picture);
    const int text =
        (caption.Right - caption.Left) * (caption.Bottom - caption.Top) - CountColour(sheet, l.Background, caption);
    if (i < 5) {
      EXPECT_GT(ink, 100) << "cell " << i << " shows its figure";
      EXPECT_GT(text, 20) << "cell " << i << " has its name";
      EXPECT_TRUE(SamePixels(
          [&] {
            TBitmap cut(90, 60);
            for (int y = 0; y < 60; ++y)
              for (int x = 0; x < 90; ++x) cut.SetPixel(x, y, sheet.GetPixel(picture.Left + x, picture.Top + y));
            return cut;
          }(),
          pictures[i]));
    } else {
      EXPECT_EQ(CountColour(sheet, l.Background, picture), 90 * 60) << "the sixth cell stays empty";
      EXPECT_EQ(text, 0);
    }
  }
}

}  // namespace
