#pragma once

#include <Qt>

// The frame of a dialog that keeps its size: a title bar with only a close
// button, neither minimise nor maximise. Window managers that add buttons of
// their own still find a window they cannot resize.
inline constexpr Qt::WindowFlags FixedDialogFrame = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                    Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                    Qt::WindowCloseButtonHint;
