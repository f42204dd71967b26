// Makes the README's pictures of the desktop program on the offscreen platform (no display
// needed): make_screenshots EXAMPLES_DIR OUT_DIR. scripts/screenshots.sh builds and runs it.
//   level-labels-on-map.png  highway-village.tlv calculated, its noise map and level labels
//   stale-banner.png         the same after the air changed: the banner, the muted labels
//   import-preview.png       "가져오기" of a points layer into that project
//   result-limits.png        highway-apartments.tlv judged by 도로교통소음 관리기준 가, day and night
//   floor-limits.png         its per-floor table, both periods
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <memory>

#include <ogrsf_frmts.h>

#include "app/application.h"
#include "app/main_frame.h"
#include "app/noise_map_commands.h"
#include "dialogs/environment_box.h"
#include "dialogs/import_dialog.h"
#include "engine/calculation.h"
#include "gis/gis_ogr.h"
#include "model/run_progress.h"
#include "ui/message_box.h"
#include "views/floor_table_dialog.h"
#include "views/plan_view.h"
#include "views/result_table_dialog.h"

namespace {

constexpr int kWidth = 1400, kHeight = 900;  // pixels of the main window's pictures

// No one is there to answer: the program's messages ("계산 종료") go to the terminal.
class CPrintedMessages final : public IMessageBox {
public:
    void Information(QWidget*, const QString& text, const QString&) override
    {
        std::printf("message: %s\n", qPrintable(text));
    }
    QMessageBox::StandardButton Question(QWidget*, const QString& text, const QString&,
                                         QMessageBox::StandardButtons) override
    {
        std::printf("question, answered no: %s\n", qPrintable(text));
        return QMessageBox::No;
    }
};

bool Save(QWidget& widget, const QString& path)
{
    QApplication::processEvents();
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The example calculated, with the overall level's map at 5 m spacing and 1.5 m height and
// the levels of the receivers at that height.
void ShowLabelledMap(CMainFrame& frame)
{
    CProjectSettings& s = frame.Document().m_settings;
    s.m_dReceiverSpacing = 5;
    s.m_dReceiverHeight = 1.5;
    s.m_bReceiverHeightEmpty = false;
    frame.ShowSettings();
    frame.RunCalculation();
    CRunProgress progress;
    frame.PlanView()->SetNoiseMap(ComputeViewsNoiseMap(frame.Document(), 0, progress));
    frame.PlanView()->SetResultDisplay(true, 0);
    frame.FitViews();
}

// A GeoPackage of three receivers north of the village, in the project's metres.
QString WriteReceiverLayer(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("receivers.gpkg"));
    CGdalDataset ds = CreateVectorFile("GPKG", path.toStdString());
    OGRLayer* layer = ds->CreateLayer("receivers", nullptr, wkbPoint, nullptr);
    OGRFieldDefn z("z", OFTReal);
    layer->CreateField(&z);
    for (const char* wkt : {"POINT (250 330)", "POINT (400 340)", "POINT (550 330)"}) {
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("z", 1.5);
        OGRGeometry* g = nullptr;
        OGRGeometryFactory::createFromWkt(wkt, nullptr, &g);
        feature.SetGeometryDirectly(g);
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            return {};
    }
    return path;
}

// The apartments judged by the traffic-noise management limits of 가 (68 / 58 dB(A)), the
// night traffic a third of the day's: the result table and the per-floor table.
bool SaveJudgedTables(CMainFrame& frame, const QString& examples, const QString& out)
{
    if (!frame.OpenProjectFile(examples + QStringLiteral("/highway-apartments.tlv")))
        return false;
    CProjectSettings& s = frame.Document().m_settings;
    s.m_nCriterion = static_cast<int>(ECriterion::kTrafficManagement);
    s.m_strZone = "가";
    s.m_dNightTrafficRatio = 1.0 / 3.0;
    frame.ShowSettings();
    frame.RunCalculation();
    frame.PlanView()->RefreshJudgement();
    frame.PlanView()->OnResultChart();
    bool ok = false;
    if (CResultDlg* table = frame.PlanView()->ResultTable()) {
        table->resize(1500, 420);
        ok = Save(*table, out + QStringLiteral("/result-limits.png"));
        table->close();
    }
    frame.PlanView()->OnFloorTable();
    if (CFloorTableDlg* floors = frame.PlanView()->FloorTable()) {
        floors->resize(1300, 560);
        ok = Save(*floors, out + QStringLiteral("/floor-limits.png")) && ok;
        floors->close();
    }
    return ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_screenshots EXAMPLES_DIR OUT_DIR\n");
        return 1;
    }
    CMyTalvoApp::SetUpApplication(app);
    CPrintedMessages messages;
    SetMessageBoxes(&messages);
    const QString examples = QString::fromLocal8Bit(argv[1]), out = QString::fromLocal8Bit(argv[2]);
    CMainFrame frame;
    frame.resize(kWidth, kHeight);
    frame.show();
    if (!frame.OpenProjectFile(examples + QStringLiteral("/highway-village.tlv")))
        return 1;
    frame.LayOutViews();
    ShowLabelledMap(frame);
    bool ok = Save(frame, out + QStringLiteral("/level-labels-on-map.png"));

    QLineEdit* temperature = frame.EnvironmentBox()->Field(EEnvField::Temperature);
    temperature->selectAll();
    temperature->insert(QStringLiteral("25"));             // as typed: the results are stale from now on
    frame.Document().m_settings.m_bShowReceivers = false;  // the map is gone; its 5 m grid would blacken the plan
    frame.RefreshViews();
    ok = Save(frame, out + QStringLiteral("/stale-banner.png")) && ok;

    QTemporaryDir dir;
    CImportDialog import(frame.Document(), WriteReceiverLayer(dir), &frame);
    import.resize(560, 640);
    import.show();
    ok = Save(import, out + QStringLiteral("/import-preview.png")) && ok;
    import.close();
    frame.Document().m_bModified = false;  // opening the next example asks nothing
    ok = SaveJudgedTables(frame, examples, out) && ok;
    SetMessageBoxes(nullptr);
    return ok ? 0 : 1;
}
