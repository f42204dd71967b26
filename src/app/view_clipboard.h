#pragma once

class QWidget;

// Puts an image of view (white where it draws nothing) on the clipboard; a missing view
// shows "Handle no" instead and gives false. The caller confirms the copy in the status
// bar: it needs no answer, so no box interrupts the user.
bool CopyViewToClipboard(QWidget* view);
