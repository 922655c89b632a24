#pragma once

class QWidget;

// Closes the window, through its ordinary close steps, when the system asks the
// program to end (a log-out, a service manager, kill): the user settings are
// then kept as if the user had closed it. Call before the window is shown.
void CloseOnSessionEnd(QWidget& Window);
