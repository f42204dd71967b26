#pragma once

// "가져오기" in the file menu: chooses a GIS or CAD file, shows the import dialog with its
// preview and, on OK, adds what it shows to the document as one change. Beside it
// "좌표계" edits the project's coordinate system (checked by PROJ).
// User-interface thread only.

#include <QObject>

#include <functional>

class CCrsDialog;
class CImportDialog;
class CMyTalvoDoc;
class QAction;
class QMainWindow;
class QWidget;

class CImportCommand : public QObject {
    Q_OBJECT
public:
    // `changed` runs after the document was changed, with the name of the step for the
    // undo history ("가져오기", "좌표계 변경"); the frame records it and refreshes.
    CImportCommand(CMyTalvoDoc* doc, QWidget* parent, std::function<void(const QString&)> changed);

    QAction* Action() const { return m_pAction; }
    QAction* CrsAction() const { return m_pCrsAction; }
    void OnImport();
    void OnCoordinateSystem();

    // Run the dialogs; true when the user pressed OK. Tests replace them to answer without
    // a modal loop.
    std::function<bool(CImportDialog&)> m_runDialog;
    std::function<bool(CCrsDialog&)> m_runCrsDialog;

private:
    CMyTalvoDoc* m_pDoc;
    QWidget* m_pParent;
    std::function<void(const QString&)> m_changed;
    QAction* m_pAction;
    QAction* m_pCrsAction;
};

// Creates the command and puts "가져오기" and "좌표계" into the frame's file menu, above
// "수음점 저장".
CImportCommand* AttachImportCommand(QMainWindow* frame, CMyTalvoDoc* doc, std::function<void(const QString&)> changed);

inline constexpr const char* kImportFileFilter =
    "GIS/CAD 파일 (*.gpkg *.shp *.geojson *.json *.dxf *.kml);;모든 파일 (*)";
