#pragma once

#include <QImage>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "explore/thumbnail.h"
#include "patterns/pattern.h"

namespace trochodraw {

// One finished picture of a batch.
struct TThumbnailResult {
  TPattern Pattern;  // the pattern drawn (a surprise job makes its own)
  QImage Image;      // empty when the job failed
  TFigureTicks Figure;
  std::string Error;  // why the job failed, in words
};

// Pictures rendered on worker threads, each job with its own simulation, line colouring and
// bitmap. Results come back to the thread that owns the batch through its event queue, in
// the order they finish. Starting again or destroying the batch cancels what is running;
// results of a cancelled start never arrive.
class TThumbnailBatch : public QObject {
  Q_OBJECT

 public:
  // A job runs on a worker; it should look at Cancel now and then.
  using TJob = std::function<TThumbnailResult(const std::atomic<bool>& Cancel)>;

  explicit TThumbnailBatch(QObject* Parent = nullptr, int Threads = 0);
  ~TThumbnailBatch() override;

  void Start(std::vector<TJob> Jobs);
  void Cancel();
  bool Busy() const { return FDone < FTotal; }
  int Done() const { return FDone; }
  int Total() const { return FTotal; }

  // The job that renders P's thumbnail.
  static TJob RenderJob(const TPattern& P, const TThumbnailOptions& Options);

 Q_SIGNALS:
  void ThumbnailReady(int Index, const trochodraw::TThumbnailResult& Result);
  void Progress(int Done, int Total);
  void Finished();

 private:
  void Deliver(uint64_t Generation, int Index, const TThumbnailResult& Result);

  QThreadPool FPool;
  std::shared_ptr<std::atomic<bool>> FCancel;
  uint64_t FGeneration = 0;
  int FDone = 0;
  int FTotal = 0;
};

}  // namespace trochodraw
