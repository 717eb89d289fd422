#pragma once

#include <exception>
#include <functional>
#include <string>

namespace trochodraw {

// The application's error box. An error that escapes a handler run from the event loop (a
// click, a key, a timer tick) cannot travel through Qt's frames, so the controls catch it
// and hand it here. The program installs a handler that shows a message box; until then
// the message goes to the warning log.
using TApplicationErrorHandler = std::function<void(std::exception_ptr Error)>;

// Installs Handler (an empty one restores the default) and returns the previous one.
TApplicationErrorHandler SetApplicationErrorHandler(TApplicationErrorHandler Handler);
void HandleApplicationError(std::exception_ptr Error);
// The text the error box shows for Error.
std::string ApplicationErrorMessage(std::exception_ptr Error);

// Runs F; an error escaping it goes to the error box instead of the caller.
template <class F>
void InvokeGuarded(F&& Fn) {
  try {
    Fn();
  } catch (...) {
    HandleApplicationError(std::current_exception());
  }
}

}  // namespace trochodraw
