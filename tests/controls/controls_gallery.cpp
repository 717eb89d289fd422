// A window that shows every control of src/controls, to look at on a screen or in a
// screenshot. Not part of the program.
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "controls/integer_spin_widget.h"
#include "controls/real_spin_widget.h"
#include "controls/track_bar_widget.h"
#include "controls/web_link_label.h"

using namespace trochodraw;

namespace {

// A glyph strip of Count frames on a grey ground (the bottom-left pixel: transparent).
QImage Strip(int Count, int Size, const std::function<void(QPainter&, int Frame)>& Draw) {
  QImage Image(Size * Count, Size, QImage::Format_RGB32);
  Image.fill(QColor(192, 192, 192));
  QPainter P(&Image);
  for (int K = 0; K < Count; ++K) {
    P.save();
    P.translate(K * Size, 0);
    Draw(P, K);
    P.restore();
  }
  return Image;
}

QImage RunGlyph() {
  return Strip(1, 16, [](QPainter& P, int) {
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0, 128, 0));
    P.drawPolygon(QPolygon({QPoint(4, 2), QPoint(12, 8), QPoint(4, 14)}));
  });
}

QImage StepGlyph() {
  return Strip(2, 16, [](QPainter& P, int K) {
    P.fillRect(3, 3, 3, 10, K == 0 ? QColor(0, 0, 160) : QColor(128, 128, 128));
    P.setPen(Qt::NoPen);
    P.setBrush(K == 0 ? QColor(0, 0, 160) : QColor(128, 128, 128));
    P.drawPolygon(QPolygon({QPoint(7, 3), QPoint(13, 8), QPoint(7, 13)}));
  });
}

QImage LockGlyph() {
  // Up, disabled, down, exclusive: the shackle opens when the lock is up.
  return Strip(4, 16, [](QPainter& P, int K) {
    const QColor Body = K == 1 ? QColor(128, 128, 128) : QColor(160, 120, 0);
    P.fillRect(3, 8, 10, 7, Body);
    P.setPen(QPen(K == 1 ? QColor(128, 128, 128) : QColor(40, 40, 40), 2));
    const int Lift = K == 0 ? 2 : 0;
    P.drawArc(5, 2 - Lift, 6, 10, 0, 180 * 16);
  });
}

TFancySpeedBtn* TopButton(QWidget* Parent, const char* Name, const char* Caption) {
  auto* B = new TFancySpeedBtn(Parent);
  B->setObjectName(Name);
  B->SetCaption(Caption);
  B->SetGradient(true);
  B->SetGradColor1(RGBColor(0x60, 0x60, 0x60));
  B->SetGradColor2(clBlack);
  return B;
}

TFancyButton* PushButton(QWidget* Parent, const char* Caption) {
  auto* B = new TFancyButton(Parent);
  B->SetCaption(Caption);
  B->SetGradient(true);
  B->SetGradColor1(RGBColor(0xF0, 0xF0, 0xF0));
  B->SetGradColor2(RGBColor(0xA0, 0xA0, 0xA0));
  return B;
}

QGroupBox* BarAndSpin(const char* Caption, TTrackBarExt*& Bar, TRealSpin*& Spin, int Min, int Max, int Ticks,
                      double Value, bool Fixed) {
  auto* Box = new QGroupBox(Caption);
  auto* L = new QHBoxLayout(Box);
  Bar = new TTrackBarExt;
  Bar->SetMin(Min);
  Bar->SetMax(Max);
  Bar->SetFrequency(Ticks);
  Spin = new TRealSpin;
  Spin->SetMinValue(Min);
  Spin->SetMaxValue(Max);
  Spin->SetIncrement(0.1);
  Spin->SetUseLimit(true);
  if (Fixed) {
    Spin->SetNumFormat(nfFixed);
    Spin->SetDigits(1);
  }
  Spin->setFixedWidth(70);
  TTrackBarExt* B = Bar;
  TRealSpin* S = Spin;
  Bar->OnChange = [B, S](QObject*) {
    S->SetBlockChangeEvent(true);
    S->SetValue(B->RealPos());
    S->SetBlockChangeEvent(false);
  };
  Spin->OnChange = [B, S](QObject*) { B->SetRealPos(S->Value()); };
  Spin->SetValue(Value);
  L->addWidget(Bar, 1);
  L->addWidget(Spin);
  return Box;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  QWidget Window;
  Window.setWindowTitle("Trochodraw controls");
  auto* Main = new QVBoxLayout(&Window);

  // The top bar: black, lime bold captions.
  auto* Top = new QWidget;
  Top->setAutoFillBackground(true);
  QPalette TopPalette = Top->palette();
  TopPalette.setColor(QPalette::Window, Qt::black);
  TopPalette.setColor(QPalette::WindowText, QColor(0, 255, 0));
  TopPalette.setColor(QPalette::ButtonText, QColor(0, 255, 0));
  Top->setPalette(TopPalette);
  QFont Bold = Top->font();
  Bold.setBold(true);
  Top->setFont(Bold);
  auto* TopRow = new QHBoxLayout(Top);
  auto* Run = TopButton(Top, "RunBtn", "Run");
  Run->SetGlyph(RunGlyph());
  Run->SetGroupIndex(50);
  Run->SetAllowAllUp(true);
  auto* LiftPen = TopButton(Top, "LiftPenBtn", "Lift Pen");
  LiftPen->SetGroupIndex(50);
  LiftPen->SetDown(true);
  auto* Acc = TopButton(Top, "AccBtn", "Accelerate");
  Acc->SetGroupIndex(55);
  Acc->SetAllowAllUp(true);
  auto* Step = TopButton(Top, "StepBtn", "Step");
  Step->SetGlyph(StepGlyph());
  Step->SetNumGlyphs(2);
  Step->DoRepeat = true;
  auto* Save = PushButton(Top, "Save Pattern");
  auto* Label = new QLabel("Saved Patterns");
  for (QWidget* W : std::initializer_list<QWidget*>{Run, LiftPen, Label, Save}) TopRow->addWidget(W);
  TopRow->addStretch(1);
  TopRow->addWidget(Acc);
  TopRow->addWidget(Step);
  Main->addWidget(Top);

  // The settings bar: four bars with their spins and the two lock buttons.
  auto* Settings = new QHBoxLayout;
  TTrackBarExt* Bar = nullptr;
  TRealSpin* Spin = nullptr;
  Settings->addWidget(BarAndSpin("Circle1 Radius", Bar, Spin, 1, 100, 10, 74.95, false));
  auto* CircleLock = new TSpeedButton;
  CircleLock->setObjectName("CircleLockBtn");
  CircleLock->SetFlat(true);
  CircleLock->SetGlyph(LockGlyph());
  CircleLock->SetNumGlyphs(4);
  CircleLock->SetGroupIndex(20);
  CircleLock->SetAllowAllUp(true);
  Settings->addWidget(CircleLock);
  Settings->addWidget(BarAndSpin("Circle2 Radius", Bar, Spin, 1, 100, 10, 75.06, false));
  Settings->addWidget(BarAndSpin("Wheel-1 RPM", Bar, Spin, -100, 100, 20, 75.5, true));
  auto* RPMLock = new TSpeedButton;
  RPMLock->SetFlat(true);
  RPMLock->SetGlyph(LockGlyph());
  RPMLock->SetNumGlyphs(4);
  RPMLock->SetGroupIndex(20);
  RPMLock->SetAllowAllUp(true);
  Settings->addWidget(RPMLock);
  Settings->addWidget(BarAndSpin("Wheel-2 RPM", Bar, Spin, -100, 100, 20, 77.6, true));
  Main->addLayout(Settings);
  RPMLock->SetDown(true);

  // The display, angle and figure rows.
  auto* Displays = new QHBoxLayout;
  Displays->addWidget(new QLabel(" Main"));
  for (const char* Text : {"0.0", "12.5", "-3.0"}) {
    auto* Dis = new TEditEx;
    Dis->SetText(Text);
    Dis->SetAlignment(TAlignment::taRightJustify);
    Dis->setFixedWidth(60);
    Displays->addWidget(Dis);
  }
  Displays->addWidget(PushButton(nullptr, "Set"));
  Displays->addWidget(new QLabel(" Planet"));
  for (double V : {0.0, 359.9}) {
    auto* Angle = new TRealSpin;
    Angle->SetIncrement(0.1);
    Angle->SetNumFormat(nfFixed);
    Angle->SetDigits(1);
    Angle->SetValue(V);
    Angle->setFixedWidth(70);
    Displays->addWidget(Angle);
  }
  auto* Clear = PushButton(nullptr, "Clear");
  Clear->setEnabled(false);
  Displays->addWidget(Clear);
  Displays->addStretch(1);
  Main->addLayout(Displays);

  auto* Figure = new QHBoxLayout;
  auto* WidthSpin = new TIntegerSpin;
  WidthSpin->SetMinValue(1);
  WidthSpin->SetMaxValue(100000);
  WidthSpin->SetUseLimit(true);
  WidthSpin->SetUnitsString("Px");
  WidthSpin->SetValue(640);
  WidthSpin->setFixedWidth(90);
  auto* HexSpin = new TIntegerSpin;
  HexSpin->SetHexMode(true);
  HexSpin->SetValue(255);
  HexSpin->setFixedWidth(70);
  auto* Disabled = new TIntegerSpin;
  Disabled->SetUnitsString("Px");
  Disabled->SetValue(480);
  Disabled->setFixedWidth(90);
  Disabled->setEnabled(false);
  Figure->addWidget(new QLabel("Width"));
  Figure->addWidget(WidthSpin);
  Figure->addWidget(new QLabel("Hex"));
  Figure->addWidget(HexSpin);
  Figure->addWidget(new QLabel("Disabled"));
  Figure->addWidget(Disabled);
  auto* ClickOff = new TFancySpeedBtn;
  ClickOff->setObjectName("ClickOffBtn");
  ClickOff->SetCaption("Click Offset");
  ClickOff->SetGroupIndex(60);
  ClickOff->SetAllowAllUp(true);
  ClickOff->SetDown(true);
  Figure->addWidget(ClickOff);
  auto* Back = PushButton(nullptr, "Back Color");
  Back->SetGlyph(RunGlyph());
  Figure->addWidget(Back);
  auto* Off = TopButton(nullptr, "Off", "Disabled");
  Off->SetGlyph(RunGlyph());
  Off->setEnabled(false);
  Figure->addWidget(Off);
  Figure->addStretch(1);
  Main->addLayout(Figure);

  // The about box's link and OK button.
  auto* About = new QHBoxLayout;
  auto* Link = new TWebLinkLabel;
  Link->SetCaption("www.trochodraw.org");
  About->addWidget(Link);
  About->addStretch(1);
  auto* Ok = PushButton(nullptr, "OK");
  Ok->SetModalResult(mrOk);
  Ok->setDefault(true);
  About->addWidget(Ok);
  Main->addLayout(About);
  Main->addStretch(1);

  Window.resize(1100, 330);
  Window.show();
  return App.exec();
}
