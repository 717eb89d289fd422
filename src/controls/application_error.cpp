#include "controls/application_error.h"

#include <QtGlobal>
#include <stdexcept>
#include <utility>

namespace trochodraw {

namespace {

TApplicationErrorHandler& CurrentHandler() {
  static TApplicationErrorHandler Handler;
  return Handler;
}

}  // namespace

TApplicationErrorHandler SetApplicationErrorHandler(TApplicationErrorHandler Handler) {
  return std::exchange(CurrentHandler(), std::move(Handler));
}

std::string ApplicationErrorMessage(std::exception_ptr Error) {
  if (!Error) return {};
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception& E) {
    return E.what();
  } catch (...) {
    return "Unknown error";
  }
}

void HandleApplicationError(std::exception_ptr Error) {
  if (!Error) return;
  // A copy, so that a handler may replace itself while it runs.
  TApplicationErrorHandler Handler = CurrentHandler();
  if (Handler) {
    try {
      Handler(Error);
      return;
    } catch (...) {
      // A failing error box must not take the program down; fall back on the log.
    }
  }
  qWarning("%s", ApplicationErrorMessage(Error).c_str());
}

}  // namespace trochodraw
