#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QStyleOptionSlider>
#include <vector>

#include "controls/track_bar_widget.h"
#include "widget_test_support.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

// What one OnChange call saw.
struct TSeen {
  double RealPos;
  int Position;
  friend bool operator==(const TSeen&, const TSeen&) = default;
};

std::ostream& operator<<(std::ostream& S, const TSeen& V) {
  return S << "{RealPos " << V.RealPos << ", Position " << V.Position << "}";
}

// Circle1Bar: 1 to 100, position 80.
class TrackBar : public ::testing::Test {
 protected:
  TrackBar() : Bar(new TTrackBarExt(&Window)) {
    Bar->setGeometry(10, 10, 200, 45);
    Bar->SetMin(1);
    Bar->SetMax(100);
    Bar->SetFrequency(10);
    Bar->SetPosition(80);
    Bar->show();
    Bar->OnChange = [this](QObject* Sender) {
      EXPECT_EQ(Sender, Bar);
      Seen.push_back({Bar->RealPos(), Bar->Position()});
    };
  }
  void Key(QEvent::Type Type, int Key, bool AutoRepeat) {
    QKeyEvent E(Type, Key, Qt::NoModifier, QString(), AutoRepeat);
    QApplication::sendEvent(Bar, &E);
  }

  TTestWindow Window;
  TTrackBarExt* Bar;
  std::vector<TSeen> Seen;
};

TEST_F(TrackBar, HandlerSeesTheUnroundedValueOfAProgramAssignment) {
  Bar->SetRealPos(74.95);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{74.95, 75}}));
  EXPECT_EQ(Bar->RealPos(), 75);
  EXPECT_EQ(Bar->Position(), 75);
}

TEST_F(TrackBar, RealPosWrites) {
  struct TCase {
    int Min, Max, Start;
    double Write;
    int Position;
    double RealPos;
    size_t Events;
  };
  const TCase Cases[] = {
      {1, 100, 75, 75.3, 75, 75.3, 0},  // same whole position: nothing raised, unrounded kept
      {1, 100, 80, 150, 100, 100, 1},  {-100, 100, 100, -7, -7, -7, 1}, {1, 100, 80, 2.5, 2, 2, 1},  // halves to even
      {1, 100, 80, 3.5, 4, 4, 1},      {1, 100, 80, -1e300, 1, 1, 1},
  };
  for (const TCase& C : Cases) {
    Bar->SetMin(C.Min);
    Bar->SetMax(C.Max);
    Bar->SetNoEventPosition(C.Start);
    Seen.clear();
    Bar->SetRealPos(C.Write);
    EXPECT_EQ(Bar->Position(), C.Position) << "writing " << C.Write;
    EXPECT_EQ(Bar->RealPos(), C.RealPos) << "writing " << C.Write;
    EXPECT_EQ(Seen.size(), C.Events) << "writing " << C.Write;
  }
}

TEST_F(TrackBar, NoEventPositionMovesWithoutTheChangeEvent) {
  Bar->SetRealPos(79.6);  // position stays 80, RealPos 79.6
  Seen.clear();
  Bar->SetNoEventPosition(80);
  EXPECT_EQ(Bar->RealPos(), 79.6) << "writing the current position does nothing";
  Bar->SetNoEventPosition(40);
  EXPECT_EQ(Bar->Position(), 40);
  EXPECT_EQ(Bar->RealPos(), 40);
  EXPECT_TRUE(Seen.empty());
  EXPECT_TRUE(Bar->EventsOn());
  Bar->SetPosition(41);
  EXPECT_EQ(Seen, (std::vector<TSeen>{{40, 41}}));
}

TEST_F(TrackBar, EventsComeBackOnAfterAnErrorOfTheHandler) {
  Bar->OnChange = [](QObject*) { throw std::runtime_error("No Image Set"); };
  EXPECT_THROW(Bar->SetPosition(10), std::runtime_error);
  EXPECT_EQ(Bar->RealPos(), 10) << "RealPos follows the position although the handler failed";
  EXPECT_NO_THROW(Bar->SetNoEventPosition(20));
  EXPECT_TRUE(Bar->EventsOn());
}

TEST_F(TrackBar, UserMoveHandlerSeesThePreviousValueAndTheClosingOneTheFinal) {
  Bar->setFocus();
  Key(QEvent::KeyPress, Qt::Key_Left, false);
  for (int I = 0; I < 9; ++I) Key(QEvent::KeyPress, Qt::Key_Left, true);
  Key(QEvent::KeyRelease, Qt::Key_Left, false);
  std::vector<TSeen> Expected;
  for (int P = 79; P >= 70; --P) Expected.push_back({P + 1.0, P});
  Expected.push_back({70, 70});
  EXPECT_EQ(Seen, Expected);
  EXPECT_EQ(Bar->RealPos(), 70);
}

TEST_F(TrackBar, DragEndsWithTheClosingNotification) {
  QStyleOptionSlider Option;
  Option.initFrom(Bar);
  Option.orientation = Qt::Horizontal;
  Option.minimum = Bar->minimum();
  Option.maximum = Bar->maximum();
  Option.sliderPosition = Option.sliderValue = Bar->value();
  Option.tickPosition = Bar->tickPosition();
  Option.tickInterval = Bar->tickInterval();
  Option.subControls = QStyle::SC_SliderHandle;
  const QRect Handle = Bar->style()->subControlRect(QStyle::CC_Slider, &Option, QStyle::SC_SliderHandle, Bar);
  const QPoint Grip = Handle.center();
  SendMouse(Bar, QEvent::MouseButtonPress, Grip);
  SendMouse(Bar, QEvent::MouseMove, Grip - QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
  SendMouse(Bar, QEvent::MouseButtonRelease, Grip - QPoint(20, 0), Qt::LeftButton, Qt::NoButton);
  ASSERT_GE(Seen.size(), 2u);
  const int Final = Bar->Position();
  EXPECT_LT(Final, 80);
  EXPECT_EQ(Seen.front().RealPos, 80) << "the first move sees the value before it";
  EXPECT_EQ(Seen.back(), (TSeen{double(Final), Final})) << "the closing notification";
}

}  // namespace
