#include "explore/thumbnail_batch.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QThread>

#include "render/bitmap_qimage.h"

namespace trochodraw {

namespace {

// Linux gives each thread a nice value of its own; Qt's thread priorities do not reach the
// ordinary scheduler. Workers a little nicer than the window keep input answered on a busy
// machine and still get most of the processors (at 10 the library took three times as long).
constexpr int kWorkerNice = 6;

void YieldToTheWindow() {
  thread_local bool done = false;
  if (done) return;
  done = true;
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), kWorkerNice);
}

}  // namespace

TThumbnailBatch::TThumbnailBatch(QObject* Parent, int Threads) : QObject(Parent) {
  FPool.setMaxThreadCount(Threads > 0 ? Threads : QThread::idealThreadCount());
}

TThumbnailBatch::~TThumbnailBatch() {
  Cancel();
  FPool.clear();
  FPool.waitForDone();
}

void TThumbnailBatch::Cancel() {
  if (FCancel) FCancel->store(true);
  FPool.clear();
  FDone = FTotal = 0;
  ++FGeneration;
}

void TThumbnailBatch::Start(std::vector<TJob> Jobs) {
  Cancel();
  FCancel = std::make_shared<std::atomic<bool>>(false);
  FTotal = static_cast<int>(Jobs.size());
  const uint64_t generation = FGeneration;
  for (size_t i = 0; i < Jobs.size(); ++i) {
    FPool.start([this, generation, cancel = FCancel, job = std::move(Jobs[i]), index = static_cast<int>(i)] {
      if (cancel->load()) return;
      YieldToTheWindow();
      TThumbnailResult r;
      try {
        r = job(*cancel);
      } catch (const std::exception& e) {
        r.Error = e.what();
      }
      if (cancel->load()) return;
      // Queued: runs on the batch's own thread. The batch waits for its workers before it
      // goes, and a queued call to an object that is gone is dropped.
      QMetaObject::invokeMethod(
          this, [this, generation, index, r = std::move(r)] { Deliver(generation, index, r); }, Qt::QueuedConnection);
    });
  }
  if (Jobs.empty()) Q_EMIT Finished();
}

void TThumbnailBatch::Deliver(uint64_t Generation, int Index, const TThumbnailResult& Result) {
  if (Generation != FGeneration) return;
  ++FDone;
  Q_EMIT ThumbnailReady(Index, Result);
  Q_EMIT Progress(FDone, FTotal);
  if (FDone == FTotal) Q_EMIT Finished();
}

TThumbnailBatch::TJob TThumbnailBatch::RenderJob(const TPattern& P, const TThumbnailOptions& Options) {
  return [P, Options](const std::atomic<bool>& Cancel) {
    TThumbnailResult r;
    r.Pattern = P;
    TThumbnail t = RenderThumbnail(P, Options, &Cancel);
    r.Figure = t.Figure;
    if (!t.Cancelled) r.Image = BitmapToQImage(t.Image);
    return r;
  };
}

}  // namespace trochodraw
