#include "app/about_dialog.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/version_info.h"
#include "controls/fancy_button.h"
#include "controls/web_link_label.h"

namespace trochodraw {

TAboutDlg* AboutDlg = nullptr;

namespace {

constexpr const char* kDescription = "Two-wheel drawing machine";
constexpr const char* kEmail = "info@trochodraw.org";
constexpr const char* kSiteCaption = "www.trochodraw.org";
constexpr const char* kSitePage = "https://trochodraw.org/gallery/";

QFont PixelFont(const QStringList& Families, int Pixels, bool Bold) {
  QFont F;
  F.setFamilies(Families);
  F.setPixelSize(Pixels);
  F.setBold(Bold);
  return F;
}

void SetTextColor(QWidget* W, const QColor& C) {
  QPalette P = W->palette();
  P.setColor(QPalette::WindowText, C);
  P.setColor(QPalette::ButtonText, C);
  W->setPalette(P);
}

QLabel* AddLabel(QWidget* Parent, QVBoxLayout* Layout, const char* Name, const QString& Text, int Height) {
  auto* L = new QLabel(Text, Parent);
  L->setObjectName(Name);
  L->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  L->setMinimumHeight(Height);
  Layout->addWidget(L);
  return L;
}

}  // namespace

TAboutDlg::TAboutDlg(QWidget* Parent) : QDialog(Parent) {
  setObjectName("AboutDlg");
  if (!AboutDlg) AboutDlg = this;
  setWindowTitle("About Trochodraw");
  // A fixed dialog frame without system menu or close box: only OK closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(371, 179);
  setModal(true);
  setAutoFillBackground(true);
  QPalette Pal = palette();
  Pal.setColor(QPalette::Window, Qt::black);
  setPalette(Pal);
  setFont(PixelFont({font().family()}, 11, true));

  About2 = new QLabel(this);
  About2->setObjectName("About2");
  About2->setGeometry(1, 1, 175, 126);
  About2->setScaledContents(true);
  About2->setPixmap(QPixmap(":/trochodraw/about_figure.png"));

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(371 - 197, 0, 197, 179);
  auto* Stack = new QVBoxLayout(Panel1);
  Stack->setContentsMargins(0, 0, 0, 0);
  Stack->setSpacing(0);

  ProductName = AddLabel(Panel1, Stack, "ProductName", "Trochodraw", 41);
  // Arial, or a face with its widths where it is missing.
  QFont NameFont = PixelFont({"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica"}, 35, true);
  // A wider stand-in face is made smaller rather than cut off at the panel's edge.
  while (NameFont.pixelSize() > 20 && QFontMetrics(NameFont).horizontalAdvance("Trochodraw") > 197 - 4)
    NameFont.setPixelSize(NameFont.pixelSize() - 1);
  ProductName->setFont(NameFont);
  SetTextColor(ProductName, Qt::yellow);

  const QFont RedFont = PixelFont({"MS Sans Serif", "Liberation Sans", "Nimbus Sans", font().family()}, 11, true);
  Display1 = AddLabel(Panel1, Stack, "Display1", kDescription, 16);
  VersionLabel = AddLabel(Panel1, Stack, "VersionLabel", "Version 1.0", 16);
  CopyRightLabel = AddLabel(Panel1, Stack, "CopyRightLabel", "Trochodraw Developers", 16);
  Display4 = AddLabel(Panel1, Stack, "Display4", kEmail, 16);
  for (QLabel* L : {Display1, VersionLabel, CopyRightLabel, Display4}) {
    L->setFont(RedFont);
    L->setWordWrap(true);
    SetTextColor(L, Qt::red);
  }

  LinkLabel1 = new TWebLinkLabel(Panel1);
  LinkLabel1->setObjectName("LinkLabel1");
  LinkLabel1->SetCaption(kSiteCaption);
  LinkLabel1->SetHint(kSitePage);
  QFont LinkFont = PixelFont({font().family()}, 13, true);
  LinkFont.setUnderline(true);
  LinkLabel1->setFont(LinkFont);
  LinkLabel1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  LinkLabel1->setMinimumHeight(16);
  SetTextColor(LinkLabel1, QColor(0, 255, 0));
  LinkLabel1->setCursor(Qt::PointingHandCursor);
  Stack->addWidget(LinkLabel1);
  Stack->addStretch(1);

  FancyButton1 = new TFancyButton(this);
  FancyButton1->setObjectName("FancyButton1");
  FancyButton1->SetCaption("OK");
  FancyButton1->setGeometry(32, 136, 97, 25);
  FancyButton1->SetGradient(true);
  FancyButton1->SetGradColor1(clSilver);
  FancyButton1->SetModalResult(mrOk);
  FancyButton1->setDefault(true);
  QFont ButtonFont = FancyButton1->font();
  ButtonFont.setBold(true);
  FancyButton1->setFont(ButtonFont);
  SetTextColor(FancyButton1, Qt::yellow);

  FormCreate();
}

TAboutDlg::~TAboutDlg() {
  if (AboutDlg == this) AboutDlg = nullptr;
}

void TAboutDlg::FormCreate() {
  TFileDate Date;
  try {
    Date = FileDate(QCoreApplication::applicationFilePath().toStdString());
  } catch (const std::exception&) {
    // A program file that cannot be inspected leaves the placeholders in place.
    return;
  }
  FillVersionLines(Date);
}

void TAboutDlg::FillVersionLines(const TFileDate& Date) {
  const TVersionInfo Info;
  CopyRightLabel->setText(QString::fromStdString(CopyRightLine(Info.CompanyName(), Date)));
  VersionLabel->setText(QString::fromStdString(VersionLine(Date, BuildNumber())));
}

}  // namespace trochodraw
