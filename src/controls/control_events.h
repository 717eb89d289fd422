#pragma once

#include <functional>

class QObject;

namespace trochodraw {

// The controls' event properties: one handler each, replaced by assignment.
using TNotifyEvent = std::function<void(QObject* Sender)>;

}  // namespace trochodraw
