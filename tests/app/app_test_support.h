#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "render/bitmap.h"

namespace trochodraw::testing {

// Acts on the next modal dialog once its event loop runs (Act receives it, or nullptr when
// none appeared). A dialog that Act leaves open is rejected, so a test never hangs.
inline void WhenModal(std::function<void(QWidget*)> Act, int Tries = 50) {
  QTimer::singleShot(10, [Act, Tries] {
    QWidget* W = QApplication::activeModalWidget();
    if (!W && Tries > 0) {
      WhenModal(Act, Tries - 1);
      return;
    }
    Act(W);
    if (auto* D = qobject_cast<QDialog*>(QApplication::activeModalWidget()); D && D == W) D->reject();
  });
}

// Pixels of a bitmap that differ from Background.
inline int CountOtherPixels(const TBitmap& B, TColor Background) {
  int N = 0;
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X) N += B.GetPixel(X, Y) != Background;
  return N;
}

}  // namespace trochodraw::testing
