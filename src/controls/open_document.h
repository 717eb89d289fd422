#pragma once

#include <QUrl>
#include <functional>
#include <string>

namespace trochodraw {

// Hands an address to the desktop's default handler; false when none could take it.
using TUrlOpener = std::function<bool(const QUrl& Url)>;

// Installs Opener (an empty one restores QDesktopServices::openUrl) and returns the previous.
TUrlOpener SetUrlOpener(TUrlOpener Opener);
bool OpenUrl(const QUrl& Url);

// Opens a file or web address with its default handler, as the shell's document opener
// does: the result is above 32 on success, else the shell's error code (2: the file is
// missing, 3: its folder is missing, 5: it cannot be read, 31: nothing handles it).
int ShellOpen(const std::string& Target);

// ShellOpen, raising EShellError with the readable message on failure.
void OpenDocument(const std::string& Target);

}  // namespace trochodraw
