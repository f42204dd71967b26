#pragma once

class QWidget;
class QString;

// Puts an image of view (white where it draws nothing) on the clipboard and shows
// doneMessage; a missing view shows "Handle no" instead.
void CopyViewToClipboard(QWidget* view, const QString& doneMessage);
