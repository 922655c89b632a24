#pragma once

#include "ProductInfo.h"

class ISystemActions;

// The services behind the main window's help, home page, e-mail, about and
// update buttons. None of them tells the user of a failure, except that the
// updater's settings cannot be written.

// Opens Help.chm from the program folder; where the desktop has no program
// for it, the same help as web pages from the folder Help.
void OpenHelp(ISystemActions& System, const TAppFolders& Folders);
// The help page that tells why a file cannot be read and what to do.
std::string UnreadableFilesHelp(const TAppFolders& Folders);
// Opens one page of the help as web pages.
void OpenHelpPage(ISystemActions& System, const std::string& Page);
void OpenHomePage(ISystemActions& System, const TProductInfo& Product);
// A new message to the product's mail address in the user's mail program.
void SendEMail(ISystemActions& System, const TProductInfo& Product);
// The about box of Form.dll; returns once it is closed. Nothing happens when
// the library or its export is missing.
void ShowAbout(void* Application, const TProductInfo& Product, const TAppFolders& Folders);
// Asks the updater for a check the user started, then starts it without
// waiting, on the updater settings of the data folder. Throws
// EProfileWriteError when they cannot be written; the updater is not started then.
void StartUpdate(ISystemActions& System, const TAppFolders& Folders);
