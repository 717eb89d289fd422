#include "controls/open_document.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <utility>

#include "controls/shell_error.h"

namespace trochodraw {

namespace {

constexpr int seSuccess = 33;

TUrlOpener& CurrentOpener() {
  static TUrlOpener Opener;
  return Opener;
}

// A web or mail address rather than a file name. A one-letter scheme is a drive letter.
bool IsAddress(const QString& Target, QUrl& Url) {
  if (Target.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
    Url = QUrl(QStringLiteral("http://") + Target, QUrl::StrictMode);
    return Url.isValid();
  }
  const QUrl Parsed(Target, QUrl::StrictMode);
  if (!Parsed.isValid() || Parsed.scheme().size() < 2) return false;
  Url = Parsed;
  return true;
}

int OpenLocalFile(const QString& Path) {
  const QFileInfo Info(Path);
  if (!Info.exists()) return Info.absoluteDir().exists() ? seFileNotFound : sePathNotFound;
  if (!Info.isReadable()) return seAccessDenied;
  return OpenUrl(QUrl::fromLocalFile(Info.absoluteFilePath())) ? seSuccess : seNoAssociation;
}

}  // namespace

TUrlOpener SetUrlOpener(TUrlOpener Opener) { return std::exchange(CurrentOpener(), std::move(Opener)); }

bool OpenUrl(const QUrl& Url) {
  if (CurrentOpener()) return CurrentOpener()(Url);
  return QDesktopServices::openUrl(Url);
}

int ShellOpen(const std::string& Target) {
  const QString T = QString::fromStdString(Target).trimmed();
  if (T.isEmpty()) return seFileNotFound;
  QUrl Url;
  if (IsAddress(T, Url)) {
    if (Url.isLocalFile()) return OpenLocalFile(Url.toLocalFile());
    return OpenUrl(Url) ? seSuccess : seNoAssociation;
  }
  return OpenLocalFile(T);
}

void OpenDocument(const std::string& Target) {
  const int Result = ShellOpen(Target);
  if (Result <= 32) throw EShellError(Result);
}

}  // namespace trochodraw
