#include "patterns/centred_dialog.h"

#include <QScreen>
#include <QShowEvent>

namespace trochodraw {

void TCentredDialog::showEvent(QShowEvent* Event) {
  if (!FPlaced && !Event->spontaneous()) {
    FPlaced = true;
    if (const QScreen* s = screen()) {
      const QRect area = s->availableGeometry();
      move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
  }
  QDialog::showEvent(Event);
}

}  // namespace trochodraw
