#pragma once

#include <QMessageBox>
#include <QString>

// Shows the splash over the main window; returns once it has closed, by which
// time InitApplication has run.
void ShowSplash();

// Tells the user of every companion library missing beside the program, one
// message each, and asks for the program to end after start-up.
void CheckCompanionFiles();

// Warns, unless the program is about to end anyway, that the user's data
// folder cannot be written; the program goes on without keeping settings.
void CheckDataFolder();

// An information message captioned with the application title.
QMessageBox::StandardButton ShowAppMessage(const QString& Text);
