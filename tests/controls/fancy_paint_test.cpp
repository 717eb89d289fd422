#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <sstream>

#include "controls/fancy_button.h"
#include "controls/fancy_speed_button.h"
#include "controls/glyph_images.h"
#include "widget_test_support.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

constexpr TColor kLightest = 0xFFFFFF, kLight = 0xDDDDDD, kDark = 0x808080, kDarkest = 0x000000;
constexpr TColor kFace = RGBColor(0x40, 0x60, 0x80);

std::string ColourText(QRgb P) {
  std::ostringstream S;
  S << "(" << qRed(P) << "," << qGreen(P) << "," << qBlue(P) << ")";
  return S.str();
}

::testing::AssertionResult PixelIs(const QImage& Image, int X, int Y, TColor Expected) {
  const QRgb P = Image.pixel(X, Y);
  const QRgb E = qRgb(RedOf(Expected), GreenOf(Expected), BlueOf(Expected));
  if ((P & 0xFFFFFF) == (E & 0xFFFFFF)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << X << "," << Y << ") is " << ColourText(P) << ", expected "
                                       << ColourText(E);
}

// A captionless gradient speed button with plain frame colours, so that every pixel is known.
class FancyLook : public ::testing::Test {
 protected:
  FancyLook() {
    Button.SetCaption("");
    Button.SetColor(kFace);
    Button.SetFrameLightest(kLightest);
    Button.SetFrameLight(kLight);
    Button.SetFrameDark(kDark);
    Button.SetFrameDarkest(kDarkest);
    Button.SetGradient(true);
    Button.SetGradColor1(RGBColor(0, 0, 192));
    Button.SetGradColor2(RGBColor(0, 190, 0));
  }
  QImage Grab() { return Button.grab().toImage(); }
  void Hover() {
    QEnterEvent E(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&Button, &E);
  }

  TFancySpeedBtn Button;  // 75 x 25
};

TEST_F(FancyLook, RaisedButtonHasTwoBevelsAFaceRingAndGradientRowsStoppingOneStepShort) {
  const QImage I = Grab();
  // Outer bevel: light top and left, darkest bottom and right (the top-right pixel too).
  EXPECT_TRUE(PixelIs(I, 0, 0, kLightest));
  EXPECT_TRUE(PixelIs(I, 73, 0, kLightest));
  EXPECT_TRUE(PixelIs(I, 74, 0, kDarkest));
  EXPECT_TRUE(PixelIs(I, 0, 23, kLightest));
  EXPECT_TRUE(PixelIs(I, 0, 24, kDarkest));
  EXPECT_TRUE(PixelIs(I, 74, 24, kDarkest));
  // Inner bevel.
  EXPECT_TRUE(PixelIs(I, 1, 1, kLight));
  EXPECT_TRUE(PixelIs(I, 73, 1, kDark));
  EXPECT_TRUE(PixelIs(I, 1, 23, kDark));
  // The ring inside the bevels keeps the brush colour.
  EXPECT_TRUE(PixelIs(I, 2, 2, kFace));
  EXPECT_TRUE(PixelIs(I, 72, 22, kFace));
  // The face: 19 rows from (3, 3); blue goes 192 down toward 0, green 0 up toward 190.
  EXPECT_TRUE(PixelIs(I, 3, 3, RGBColor(0, 0, 192)));
  EXPECT_TRUE(PixelIs(I, 71, 3, RGBColor(0, 0, 192)));
  EXPECT_TRUE(PixelIs(I, 3, 4, RGBColor(0, 10, 182)));   // 192 + ceil(-10.1), 0 + ceil(10)
  EXPECT_TRUE(PixelIs(I, 3, 21, RGBColor(0, 180, 11)));  // the last row: 190 and 0 not reached
}

TEST_F(FancyLook, HotAndPressedLooksLightenTheColours) {
  Hover();
  QImage I = Grab();
  // A quarter toward white: round((255 - c) / 4 + c), halves to even.
  EXPECT_TRUE(PixelIs(I, 3, 3, RGBColor(64, 64, 208)));
  EXPECT_TRUE(PixelIs(I, 2, 2, RGBColor(0x70, 0x88, 0xA0)));
  EXPECT_TRUE(PixelIs(I, 0, 0, kLightest)) << "the frame is not lightened";

  Press(&Button, QPoint(5, 5));
  I = Grab();
  // Halfway to white, inside one dark outline; row 0 at y 1 of a 23-row face.
  EXPECT_TRUE(PixelIs(I, 0, 0, kDark));
  EXPECT_TRUE(PixelIs(I, 74, 24, kDark));
  EXPECT_TRUE(PixelIs(I, 1, 1, RGBColor(128, 128, 224)));   // 127.5 and 223.5 round to even
  EXPECT_TRUE(PixelIs(I, 1, 23, RGBColor(128, 218, 133)));  // toward (128, 222, 128)

  Button.SetDownInvert(true);
  I = Grab();
  // Upside down and not lightened: row 0 has the bottom colour.
  EXPECT_TRUE(PixelIs(I, 1, 1, RGBColor(0, 190, 0)));
  EXPECT_TRUE(PixelIs(I, 1, 23, RGBColor(0, 9, 184)));  // 190 + ceil(-190 / 23 * 22), ceil(192 / 23 * 22)
  Release(&Button, QPoint(5, 5));
}

TEST_F(FancyLook, AOneRowFacePaintsTheTopColour) {
  Button.resize(20, 7);
  const QImage I = Grab();
  EXPECT_TRUE(PixelIs(I, 3, 3, RGBColor(0, 0, 192)));
  EXPECT_TRUE(PixelIs(I, 16, 3, RGBColor(0, 0, 192)));
}

TEST_F(FancyLook, PlainFaceIsTheBrushColour) {
  Button.SetGradient(false);
  const QImage I = Grab();
  EXPECT_TRUE(PixelIs(I, 3, 3, kFace));
  EXPECT_TRUE(PixelIs(I, 40, 12, kFace));
}

// A 6 x 6 glyph: white ground (the bottom-left pixel), a red 4 x 4 block.
QImage RedBlockGlyph() {
  QImage G(6, 6, QImage::Format_RGB32);
  G.fill(Qt::white);
  QPainter(&G).fillRect(1, 1, 4, 4, QColor(255, 0, 0));
  return G;
}

TEST_F(FancyLook, MarginPlacesTheGlyphFromTheLeftEdge) {
  Button.SetGradient(false);
  Button.SetGlyph(RedBlockGlyph());
  Button.SetMargin(-2);
  EXPECT_EQ(Button.Margin(), -1) << "below -1 is ignored";
  QImage I = Grab();
  // Centred: box of width 6 + 4 (spacing) in a 75-wide button: left at 37 - 5 = 32.
  EXPECT_TRUE(PixelIs(I, 33, 10, RGBColor(255, 0, 0)));
  EXPECT_TRUE(PixelIs(I, 32, 10, kFace)) << "the glyph's white ground is transparent";
  Button.SetMargin(0);
  I = Grab();
  EXPECT_TRUE(PixelIs(I, 1, 10, RGBColor(255, 0, 0)));
  EXPECT_TRUE(PixelIs(I, 4, 10, RGBColor(255, 0, 0)));
}

TEST(EmbossGlyph, DarkPixelsAndTheOutlineInShadowWithAHighlightBelowRight) {
  // White ground, a light grey 3 x 3 square with a black centre.
  QImage G(5, 5, QImage::Format_RGB32);
  G.fill(Qt::white);
  QPainter(&G).fillRect(1, 1, 3, 3, QColor(220, 220, 220));
  G.setPixel(2, 2, qRgb(0, 0, 0));
  const QColor Face(200, 200, 200), Hi(255, 255, 255), Sh(100, 100, 100);
  const QImage E = EmbossGlyph(G, Face, Hi, Sh);
  // Every pixel of the square is marked: the ring touches the ground, the centre is dark.
  const char* Expected[] = {
      "FFFFF",  //
      "FSSSF",  //
      "FSSSH",  //
      "FSSSH",  //
      "FFHHH",  //
  };
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 5; ++X) {
      const char C = Expected[Y][X];
      const QColor Want = C == 'S' ? Sh : C == 'H' ? Hi : Face;
      EXPECT_EQ(QColor(E.pixel(X, Y)), Want) << "at " << X << "," << Y;
    }
}

TEST(EmbossGlyph, ABlackGroundDoesNotEmbossTheWholeSquare) {
  QImage G(4, 4, QImage::Format_RGB32);
  G.fill(Qt::black);
  G.setPixel(1, 1, qRgb(255, 255, 255));
  const QImage E = EmbossGlyph(G, QColor(200, 200, 200), Qt::white, QColor(100, 100, 100));
  EXPECT_EQ(QColor(E.pixel(1, 1)), QColor(100, 100, 100));
  EXPECT_EQ(QColor(E.pixel(2, 2)), QColor(Qt::white));
  EXPECT_EQ(QColor(E.pixel(3, 0)), QColor(200, 200, 200));
  EXPECT_EQ(QColor(E.pixel(0, 3)), QColor(200, 200, 200));
}

TEST_F(FancyLook, DisabledButtonShowsTheEmbossedOrTheSecondImage) {
  Button.SetGradient(false);
  Button.SetGlyph(RedBlockGlyph());
  Button.setEnabled(false);
  const QColor Shadow = Button.palette().color(QPalette::Active, QPalette::Dark);
  QImage I = Grab();
  EXPECT_EQ(I.pixel(33, 10), Shadow.rgb()) << "single image: the embossed glyph";

  // Two images: red block, then a green one; disabled shows the second.
  QImage Strip(12, 6, QImage::Format_RGB32);
  Strip.fill(Qt::white);
  QPainter P(&Strip);
  P.fillRect(1, 1, 4, 4, QColor(255, 0, 0));
  P.fillRect(7, 1, 4, 4, QColor(0, 255, 0));
  P.end();
  Button.SetGlyph(Strip);
  Button.SetNumGlyphs(2);
  I = Grab();
  EXPECT_TRUE(PixelIs(I, 33, 10, RGBColor(0, 255, 0)));
  Button.setEnabled(true);
  I = Grab();
  EXPECT_TRUE(PixelIs(I, 33, 10, RGBColor(255, 0, 0)));
}

TEST(StateImages, MissingFramesRepeatTheFirst) {
  QImage Strip(9, 3, QImage::Format_RGB32);
  Strip.fill(Qt::white);
  for (int K = 0; K < 3; ++K) Strip.setPixel(K * 3 + 1, 1, qRgb(10 * (K + 1), 0, 0));
  const auto Images = MakeStateImages(Strip, 3, Qt::gray, Qt::white, Qt::darkGray);
  const int Expected[4] = {10, 20, 30, 10};  // up, disabled, down, exclusive
  for (int K = 0; K < 4; ++K) {
    ASSERT_EQ(Images[K].size(), QSize(3, 3));
    EXPECT_EQ(qRed(Images[K].pixel(1, 1)), Expected[K]) << "image " << K;
    EXPECT_EQ(qAlpha(Images[K].pixel(0, 2)), 0) << "transparent ground";
  }
}

TEST(FancyPushButton, ActiveButtonGetsTheDarkestOutlineAndAFocusRectangle) {
  TTestWindow Window;
  auto* Ok = new TFancyButton(&Window);
  auto* Other = new TEditEx(&Window);
  Other->move(0, 50);
  Ok->SetCaption("");
  Ok->SetColor(kFace);
  Ok->SetFrameLightest(kLightest);
  Ok->SetFrameLight(kLight);
  Ok->SetFrameDark(kDark);
  Ok->SetFrameDarkest(RGBColor(1, 2, 3));
  Ok->show();
  Other->show();
  Other->setFocus();
  QEvent Leave(QEvent::Leave);  // wherever the pointer is, the button is not hot
  QApplication::sendEvent(Ok, &Leave);
  QImage I = Ok->grab().toImage();
  EXPECT_TRUE(PixelIs(I, 0, 0, kLightest)) << "not active: plain bevels";

  Ok->setDefault(true);
  I = Ok->grab().toImage();
  EXPECT_TRUE(PixelIs(I, 0, 0, RGBColor(1, 2, 3)));
  EXPECT_TRUE(PixelIs(I, 1, 1, kLightest));
  EXPECT_TRUE(PixelIs(I, 4, 4, kFace)) << "no focus rectangle without the focus";

  Ok->setFocus();
  I = Ok->grab().toImage();
  // Gradient off: the dotted rectangle 4 pixels in, every other pixel inverted.
  EXPECT_TRUE(PixelIs(I, 4, 4, kFace ^ 0xFFFFFF));
  EXPECT_TRUE(PixelIs(I, 5, 4, kFace));
}

TEST(Lightening, ChannelsMoveTowardWhiteWithHalvesToEven) {
  EXPECT_EQ(LightenColor(RGBColor(0, 1, 255), 0.5), RGBColor(128, 128, 255));  // 127.5 -> 128, 128 -> 128
  EXPECT_EQ(LightenColor(RGBColor(3, 192, 10), 0.25), RGBColor(66, 208, 71));  // 66, 207.75, 71.25
  EXPECT_EQ(LightenColor(RGBColor(5, 5, 5), 0), RGBColor(5, 5, 5));
}

}  // namespace
