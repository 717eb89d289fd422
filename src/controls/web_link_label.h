#pragma once

#include <QLabel>

#include "controls/control_events.h"

namespace trochodraw {

// The address a new link label shows and opens until its form sets its own.
inline constexpr const char* DefaultLinkAddress = "https://trochodraw.org/";

// A label that looks like a hyperlink and, clicked, opens the address held in its hint (not
// its caption: a label may show one address and open another).
class TWebLinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TWebLinkLabel(QWidget* Parent = nullptr);

  QString Caption() const { return text(); }
  void SetCaption(const QString& Value) { setText(Value); }
  QString Hint() const { return toolTip(); }
  void SetHint(const QString& Value) { setToolTip(Value); }

  // Raised by a click; starts as LinkClick. Assigning another handler replaces the link.
  TNotifyEvent OnClick;

  // Opens the hint of Sender when it is a label; a failure raises EShellError.
  static void LinkClick(QObject* Sender);

 protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  bool FClicking = false;
};

}  // namespace trochodraw
