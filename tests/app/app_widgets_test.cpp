#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QRadioButton>
#include <QTest>
#include <stdexcept>

#include "app/image_view_widget.h"
#include "app/trochodraw_application.h"
#include "controls/radio_group_widget.h"
#include "controls/widget_test_support.h"
#include "render/bitmap.h"

namespace trochodraw {
namespace {

// The view shows the bitmap's own pixels in every format it meets: the device-dependent
// figure, the 24-bit one after a mosaic, and a palette bitmap.
TEST(ImageViewTest, PaintsTheBitmapAsItIs) {
  for (TPixelFormat F : {TPixelFormat::pfDevice, TPixelFormat::pf24bit, TPixelFormat::pf8bit}) {
    TBitmap B(7, 5, TPixelFormat::pfDevice);
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 7; ++X)
        B.SetPixel(X, Y, RGBColor(static_cast<uint8_t>(X * 30), 0, static_cast<uint8_t>(Y * 60)));
    B.SetPixelFormat(F);
    TImageView View;
    View.SetBitmap(&B);
    View.FitToBitmap();
    EXPECT_EQ(View.size(), QSize(7, 5));
    const QImage Shown = View.grab().toImage();
    for (int Y = 0; Y < 5; ++Y)
      for (int X = 0; X < 7; ++X) {
        const QRgb P = Shown.pixel(X, Y);
        EXPECT_EQ(RGBColor(qRed(P), qGreen(P), qBlue(P)), B.GetPixel(X, Y)) << X << "," << Y;
      }
  }
}

TEST(ImageViewTest, ReportsPressesInImagePixels) {
  TBitmap B(50, 40);
  TImageView View;
  View.SetBitmap(&B);
  View.FitToBitmap();
  std::vector<std::pair<Qt::MouseButton, QPoint>> Presses;
  View.OnMouseDown = [&](Qt::MouseButton Button, QPoint Pos) { Presses.emplace_back(Button, Pos); };
  QTest::mousePress(&View, Qt::RightButton, {}, QPoint(12, 34));
  ASSERT_EQ(Presses.size(), 1u);
  EXPECT_EQ(Presses[0].first, Qt::RightButton);
  EXPECT_EQ(Presses[0].second, QPoint(12, 34));
}

TEST(RadioGroupTest, ClicksWhenTheIndexChanges) {
  TRadioGroup G;
  G.SetItems({"a", "b", "c"});
  int Clicks = 0;
  G.OnClick = [&](QObject*) { ++Clicks; };
  struct TStep {
    int Set, Index, Clicks;
  };
  // Assignments: a change clicks, the same index does not, beyond the last selects the last.
  const TStep Steps[] = {{1, 1, 1}, {1, 1, 1}, {9, 2, 2}, {-1, -1, 3}, {0, 0, 4}};
  for (const TStep& S : Steps) {
    G.SetItemIndex(S.Set);
    EXPECT_EQ(G.ItemIndex(), S.Index) << S.Set;
    EXPECT_EQ(Clicks, S.Clicks) << S.Set;
  }
  EXPECT_TRUE(G.Button(0)->isChecked());
  G.Button(2)->click();  // as the user's click
  EXPECT_EQ(G.ItemIndex(), 2);
  EXPECT_EQ(Clicks, 5);
}

// An object whose event handler fails, as a handler of the program might.
class TFailingObject : public QObject {
 public:
  bool event(QEvent* E) override {
    if (E->type() == QEvent::User) throw std::runtime_error("Unable to write to x.ini");
    return QObject::event(E);
  }
};

TEST(ApplicationTest, ErrorsOfEventHandlersReachTheErrorBox) {
  testing::TErrorBox Box;
  TFailingObject Object;
  QCoreApplication::postEvent(&Object, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  ASSERT_EQ(Box.Messages.size(), 1u);
  EXPECT_EQ(Box.Messages[0], "Unable to write to x.ini");
}

}  // namespace
}  // namespace trochodraw
