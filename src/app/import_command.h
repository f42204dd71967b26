#pragma once

// "가져오기" in the file menu: chooses a GIS or CAD file, shows the import dialog with its
// preview and, on OK, adds what it shows to the document as one change.
// User-interface thread only.

#include <QObject>

#include <functional>

class CImportDialog;
class CMyTalvoDoc;
class QAction;
class QMainWindow;
class QWidget;

class CImportCommand : public QObject {
    Q_OBJECT
public:
    // `changed` runs after entities were added (the frame refreshes its views and title).
    CImportCommand(CMyTalvoDoc* doc, QWidget* parent, std::function<void()> changed);

    QAction* Action() const { return m_pAction; }
    void OnImport();

    // Runs the dialog; true when the user pressed OK. Tests replace it to answer without a
    // modal loop.
    std::function<bool(CImportDialog&)> m_runDialog;

private:
    CMyTalvoDoc* m_pDoc;
    QWidget* m_pParent;
    std::function<void()> m_changed;
    QAction* m_pAction;
};

// Creates the command and puts "가져오기" into the frame's file menu, above "수음점 저장".
CImportCommand* AttachImportCommand(QMainWindow* frame, CMyTalvoDoc* doc, std::function<void()> changed);

inline constexpr const char* kImportFileFilter =
    "GIS/CAD 파일 (*.gpkg *.shp *.geojson *.json *.dxf *.kml);;모든 파일 (*)";
