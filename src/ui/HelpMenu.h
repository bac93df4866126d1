#pragma once

class QMainWindow;

namespace ax {

// Adds Help, Help (F1) and Help, About Astrolattix to a window's menu bar, named after the
// window: "SystemMenuHelp", "SystemMenuHelpContents", "SystemMenuHelpAbout" for "System".
void AddHelpMenu(QMainWindow& window, const char* windowName);

// The help page in its own window ("HelpPage"), made on first use and raised after.
void ShowHelpPage(QMainWindow& window);
void ShowAboutBox(QMainWindow& window);

}  // namespace ax
