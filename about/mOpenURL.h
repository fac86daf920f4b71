#pragma once

// Opens a web address in the program that the desktop associates with web pages.

#include <QString>

namespace platform {
class Paths;
class Shell;
} // namespace platform

namespace about::mOpenURL {

/// @param text any text
/// @return the text before its first NUL character, or all of it when it holds none
QString StripAtNull(const QString& text);

/// @param paths the platform's folders
/// @return the user's folder for temporary files, ending in a separator
QString GetTempFolder(platform::Paths& paths);

/// Asks the desktop which program opens web pages, by the example of an empty probe file
/// "dummy.html" in the temporary folder. A probe that this call creates is removed again
/// whatever the answer; an existing file of that name is neither changed nor removed.
/// @param shell the desktop's program lookup
/// @param paths the platform's folders
/// @param code receives the lookup's result code: 32 or more when a program was found
/// @return the program's full path; empty when none was found
QString FindBrowser(platform::Shell& shell, platform::Paths& paths, int& code);

/// Starts the web page program with the address as its first argument.
/// @param shell the desktop's program lookup and starter
/// @param paths the platform's folders
/// @param url the address to open
/// @return whether a browser process was started
bool OpenURL(platform::Shell& shell, platform::Paths& paths, const QString& url);

} // namespace about::mOpenURL
