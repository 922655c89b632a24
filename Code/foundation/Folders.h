#pragma once

#include <string>

// What a folder chosen as the output folder turned out to be.
enum class TFolderCheck { Accepted, ReadOnly, Missing };

// Checks a chosen output folder: it must exist, be writable by the user (a
// folder without any write permission counts as read-only, also for the
// superuser), and a folder can be created in it. The probe folder has a name no entry had before
// and is removed again, so nothing the user had is touched.
TFolderCheck CheckOutputFolder(const std::string& Folder);

// Creates the folder with any missing parents; failures are ignored.
void CreateFolderQuietly(const std::string& Folder);
