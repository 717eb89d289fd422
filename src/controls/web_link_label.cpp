#include "controls/web_link_label.h"

#include <QMouseEvent>

#include "controls/application_error.h"
#include "controls/open_document.h"

namespace trochodraw {

TWebLinkLabel::TWebLinkLabel(QWidget* Parent) : QLabel(Parent) {
  QPalette P = palette();
  P.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(P);
  QFont F = font();
  F.setUnderline(true);
  setFont(F);
  setCursor(Qt::PointingHandCursor);
  setText(QString::fromLatin1(DefaultLinkAddress));
  setToolTip(QString::fromLatin1(DefaultLinkAddress));
  OnClick = &TWebLinkLabel::LinkClick;
}

void TWebLinkLabel::LinkClick(QObject* Sender) {
  if (auto* Label = qobject_cast<QLabel*>(Sender)) OpenDocument(Label->toolTip().toStdString());
}

void TWebLinkLabel::mousePressEvent(QMouseEvent* Event) {
  QLabel::mousePressEvent(Event);
  if (Event->button() == Qt::LeftButton) FClicking = true;
}

void TWebLinkLabel::mouseReleaseEvent(QMouseEvent* Event) {
  QLabel::mouseReleaseEvent(Event);
  if (Event->button() != Qt::LeftButton || !FClicking) return;
  FClicking = false;
  if (rect().contains(Event->position().toPoint()) && OnClick) InvokeGuarded([this] { OnClick(this); });
}

}  // namespace trochodraw
