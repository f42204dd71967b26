#pragma once

// How the program's windows are framed by the window manager. Its modal forms (the band
// chooser, the target level, the coordinate system, ...) get a title bar with a close
// button only and keep the size their contents need: no minimise button, which would hide
// a form the whole program waits for, and no maximise button, which would stretch a few
// fields across the screen. The file dialogs open in the detail view, wide enough for the
// names and the dates. User-interface thread only.

class QApplication;
class QFileDialog;

// Frames every modal dialog of the program from now on (Qt's own dialogs keep their frames).
void InstallSmallDialogFrames(QApplication& app);

// Pixels a file dialog opens at, at most (less on a smaller screen).
constexpr int kFileDialogWidth = 960;
constexpr int kFileDialogHeight = 600;

// The detail view, the size above, and the name column given most of the width.
void WidenFileDialog(QFileDialog& dialog);
