#include "app/noise_map_commands.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressDialog>
#include <QTimer>
#include <QToolBar>
#include <atomic>
#include <thread>

#include "dialogs/noise_map_dialog.h"
#include "drawing/section_exaggeration.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "gis/gis_map_layers.h"
#include "io/noise_map_export.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_difference.h"
#include "maps/noise_map_exceedance.h"
#include "model/barrier_exclusion.h"
#include "model/document.h"
#include "render/noise_map_image.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kNoMapShown = QStringLiteral("소음지도를 먼저 계산하세요.");
const QString kPngNotWritten = QStringLiteral("그림 파일을 쓸 수 없습니다.");
constexpr int kPngWidth = 1600;  // pixels
constexpr int kProgressTickMs = 100;

// The toolbar picture: three bands of the map's colours.
QIcon MapIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const int classes[] = {9, 6, 3, 1};
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRect(2, 2 + 5 * i, 20, 5), LevelClassQColor(classes[i]));
    p.setPen(QColor(40, 40, 40));
    p.drawRect(QRect(2, 2, 19, 19));
    return QIcon(pixmap);
}

QMenu* ResultMenu(QMainWindow* frame)
{
    for (QAction* entry : frame->menuBar()->actions())
        if (entry->menu() && entry->text() == QStringLiteral("결과(&R)"))
            return entry->menu();
    return nullptr;
}

constexpr int kResultDisplayId = 32788;

void AddAfterResultDisplay(QToolBar* toolBar, QAction* action)
{
    const QList<QAction*> buttons = toolBar->actions();
    for (qsizetype i = 0; i + 1 < buttons.size(); ++i) {
        if (!buttons[i]->isSeparator() && buttons[i]->data().toInt() == kResultDisplayId) {
            toolBar->insertAction(buttons[i + 1], action);
            return;
        }
    }
    toolBar->addAction(action);
}

QAction* MakeAction(const QString& text, const QString& prompt, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(prompt);
    action->setToolTip(text);
    return action;
}

}  // namespace

namespace {

// The plan grid at the receiver height and the section grid along the section line, with
// the receiver spacing; levels not yet computed.
CNoiseMap ViewsMapLayout(const CProjectSettings& s, const CSectionGround& ground, int band)
{
    CNoiseMap map;
    map.plan = PlanMapLayout(s, s.m_dReceiverSpacing, s.m_dReceiverHeight, band);
    map.section = SectionMapLayout(s, ground, SectionSpacing(s), band);
    return map;
}

std::int64_t NodeCount(const CNoiseMap& map)
{
    return static_cast<std::int64_t>(map.plan.m_arrLevel.size() + map.section->m_arrLevel.size());
}

// Both grids of the map, counted onto a run started beforehand. False when cancelled.
bool ComputeViewsGrids(const CCalcScene& scene, CNoiseMap& map, CRunProgress& progress, int threads)
{
    return ComputeNoiseMapNodes(scene, map.plan, progress, threads) &&
           ComputeNoiseMapNodes(scene, *map.section, progress, threads);
}

// Refines both grids in the map's style with their exact level functions. False when
// cancelled; a refinement given up for its size leaves its grid drawn from the nodes.
bool RefineViewsMap(CNoiseMap& map, const CMapLevelAt& plan, const CMapLevelAt& section, CRefineRequest refine,
                    CRunProgress& progress, int threads)
{
    refine.edges = map.style.scale.edges;
    return RefineNoiseMap(map.plan, plan, refine, progress, threads, kMaxMapNodes) != ERefineResult::Cancelled &&
           RefineNoiseMap(*map.section, section, refine, progress, threads, kMaxMapNodes) != ERefineResult::Cancelled;
}

}  // namespace

std::shared_ptr<CNoiseMap> ComputeViewsNoiseMap(const CMyTalvoDoc& doc, int band, CRunProgress& progress, int threads,
                                                CRefineRequest refine, EPeriod period)
{
    const CCalcScene scene(doc, CRunInputs{}, period);
    const CSectionGround ground = DocumentSectionGround(doc);
    auto map = std::make_shared<CNoiseMap>(ViewsMapLayout(doc.m_settings, ground, band));
    // One run over the nodes of both grids, so the progress goes from 0 to 100% once.
    progress.Start(NodeCount(*map));
    if (!ComputeViewsGrids(scene, *map, progress, threads))
        return nullptr;
    if (!RefineViewsMap(*map, SceneLevelAt(scene, map->plan), SceneLevelAt(scene, *map->section, &ground), refine,
                        progress, threads))
        return nullptr;
    map->PrepareShapes();
    return map;
}

std::shared_ptr<CNoiseMap> ComputeViewsDifferenceMap(const CCalcScene& minuend, const CCalcScene& subtrahend,
                                                     const CProjectSettings& settings, const CSectionGround& ground,
                                                     int band, double step, CRunProgress& progress, int threads,
                                                     CRefineRequest refine)
{
    CNoiseMap a = ViewsMapLayout(settings, ground, band);
    CNoiseMap b = ViewsMapLayout(settings, ground, band);
    progress.Start(NodeCount(a) + NodeCount(b));
    if (!ComputeViewsGrids(minuend, a, progress, threads) || !ComputeViewsGrids(subtrahend, b, progress, threads))
        return nullptr;
    auto map = std::make_shared<CNoiseMap>();
    map->section.emplace();
    // The grids share one layout, so the subtraction cannot be refused.
    SubtractMapGrids(a.plan, b.plan, map->plan);
    SubtractMapGrids(*a.section, *b.section, *map->section);
    map->style = DifferenceMapStyle(step, band);
    const CMapLevelAt plan = DifferenceLevelAt(SceneLevelAt(minuend, a.plan), SceneLevelAt(subtrahend, b.plan));
    const CMapLevelAt section =
        DifferenceLevelAt(SceneLevelAt(minuend, *a.section, &ground), SceneLevelAt(subtrahend, *b.section, &ground));
    if (!RefineViewsMap(*map, plan, section, refine, progress, threads))
        return nullptr;
    map->PrepareShapes();
    return map;
}

std::shared_ptr<CNoiseMap> ComputeViewsExceedanceMap(const CMyTalvoDoc& doc, EPeriod period, double limit,
                                                     CMapStyle style, CRunProgress& progress, int threads,
                                                     CRefineRequest refine)
{
    const CCalcScene scene(doc, CRunInputs{}, period);
    const CSectionGround ground = DocumentSectionGround(doc);
    auto map = std::make_shared<CNoiseMap>(ViewsMapLayout(doc.m_settings, ground, 0));
    progress.Start(NodeCount(*map));
    if (!ComputeViewsGrids(scene, *map, progress, threads))
        return nullptr;
    SubtractLimit(map->plan, limit);
    SubtractLimit(*map->section, limit);
    map->style = std::move(style);
    const CMapLevelAt plan = ExceedanceLevelAt(SceneLevelAt(scene, map->plan), limit);
    const CMapLevelAt section = ExceedanceLevelAt(SceneLevelAt(scene, *map->section, &ground), limit);
    if (!RefineViewsMap(*map, plan, section, refine, progress, threads))
        return nullptr;
    map->PrepareShapes();
    return map;
}

CNoiseMapCommands::CNoiseMapCommands(CMyTalvoDoc* doc, CPlan_View* planView, QWidget* parent)
    : QObject(parent), m_pDoc(doc), m_pPlanView(planView), m_pParent(parent)
{
    m_pMapAction =
        MakeAction(QStringLiteral("소음지도"), QStringLiteral("소음지도를 계산하여 평면창에 표시합니다."), this);
    m_pDifferenceAction = MakeAction(QStringLiteral("차이 지도"),
                                     QStringLiteral("두 소음지도의 차이(다른 프로젝트 또는 방음벽을 뺀 이 "
                                                    "프로젝트)를 계산하여 평면창에 표시합니다."),
                                     this);
    m_pExceedanceAction =
        MakeAction(QStringLiteral("초과 지도"),
                   QStringLiteral("소음레벨에서 평가 기준을 뺀 초과량을 계산하여 평면창에 표시합니다."), this);
    m_pPngAction =
        MakeAction(QStringLiteral("소음지도 그림 저장"), QStringLiteral("소음지도를 PNG 그림으로 저장합니다."), this);
    m_pSectionPngAction = MakeAction(QStringLiteral("소음지도 단면 그림 저장"),
                                     QStringLiteral("단면창의 소음지도를 PNG 그림으로 저장합니다."), this);
    m_pCsvAction = MakeAction(QStringLiteral("소음지도 격자 CSV 저장"),
                              QStringLiteral("소음지도 격자의 좌표와 소음레벨을 CSV 파일로 저장합니다."), this);
    m_pGeoJsonAction = MakeAction(QStringLiteral("소음지도 GIS 저장"),
                                  QStringLiteral("소음지도를 GeoTIFF 또는 GIS/CAD 파일(GeoPackage, GeoJSON, "
                                                 "Shapefile, DXF, KML)로 저장합니다."),
                                  this);
    m_pMapAction->setData(kNoiseMapCommandId);
    m_pMapAction->setIcon(MapIcon());
    m_pMapAction->setIconVisibleInMenu(false);
    connect(m_pMapAction, &QAction::triggered, this, &CNoiseMapCommands::OnNoiseMap);
    connect(m_pDifferenceAction, &QAction::triggered, this, &CNoiseMapCommands::OnDifferenceMap);
    connect(m_pExceedanceAction, &QAction::triggered, this, &CNoiseMapCommands::OnExceedanceMap);
    connect(m_pPngAction, &QAction::triggered, this, &CNoiseMapCommands::OnSaveMapPng);
    connect(m_pSectionPngAction, &QAction::triggered, this, &CNoiseMapCommands::OnSaveSectionPng);
    connect(m_pCsvAction, &QAction::triggered, this, &CNoiseMapCommands::OnSaveGridCsv);
    connect(m_pGeoJsonAction, &QAction::triggered, this, &CNoiseMapCommands::OnSaveGridGeoJson);
}

CNoiseMapCommands* AttachNoiseMapCommands(QMainWindow* frame, CMyTalvoDoc* doc, CPlan_View* planView)
{
    auto* commands = new CNoiseMapCommands(doc, planView, frame);
    QMenu* menu = ResultMenu(frame);
    if (menu)
        menu->addSeparator();
    commands->AddTo(menu);
    if (auto* toolBar = frame->findChild<QToolBar*>(QStringLiteral("mainToolbar")))
        AddAfterResultDisplay(toolBar, commands->MapAction());
    return commands;
}

void CNoiseMapCommands::AddTo(QMenu* resultMenu) const
{
    if (!resultMenu)
        return;
    resultMenu->addAction(m_pMapAction);
    resultMenu->addAction(m_pDifferenceAction);
    resultMenu->addAction(m_pExceedanceAction);
    resultMenu->addAction(m_pPngAction);
    resultMenu->addAction(m_pSectionPngAction);
    resultMenu->addAction(m_pCsvAction);
    resultMenu->addAction(m_pGeoJsonAction);
}

void CNoiseMapCommands::Report(const std::string& message)
{
    MessageBoxes().Information(m_pParent, QString::fromStdString(message));
}

std::optional<int> CNoiseMapCommands::ChooseBand()
{
    if (m_chooseBand)
        return m_chooseBand();
    CNoiseMapDialog dialog(m_refine, m_pParent);
    if (m_runMapDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    m_refine = dialog.Refine();
    return dialog.Band();
}

QString CNoiseMapCommands::ChooseFile(const QString& title, const QString& name, const QString& filter) const
{
    return FileDialogs().SaveFileName(m_pParent, title, name, filter);
}

// Both maps need a current calculation and grids of a size that can be computed.
bool CNoiseMapCommands::MayMapViews()
{
    const CProjectSettings& s = m_pDoc->m_settings;
    std::string refusal = CheckNoiseMap(*m_pDoc, s.m_dReceiverSpacing);
    if (refusal.empty())
        refusal = CheckSectionMap(s, SectionSpacing(s));
    if (!refusal.empty())
        Report(refusal);
    return refusal.empty();
}

void CNoiseMapCommands::OnNoiseMap()
{
    if (!MayMapViews())
        return;
    const std::optional<int> band = ChooseBand();
    if (!band || *band < 0)
        return;
    const std::optional<EPeriod> period = ChoosePeriod();
    if (!period)
        return;
    if (auto map = ComputePeriodMap(*band, *period)) {
        if (*period == EPeriod::kNight)
            map->style.name += QStringLiteral(" (야간)");
        if (const std::string note = ExclusionNote(*m_pDoc); !note.empty())
            map->style.name += QStringLiteral(" (%1)").arg(QString::fromStdString(note));
        m_pPlanView->SetNoiseMap(std::move(map));
    }
}

// Computes on a worker while a modal progress dialog shows "done / total ( percent% )"
// every 100 ms over the nodes of both grids and the points of their refinement; its cancel
// button stops the workers after the nodes they are on, and a cancelled run shows nothing
// even when it had just finished.
std::shared_ptr<CNoiseMap> CNoiseMapCommands::ComputeWithProgress(
    const std::function<std::shared_ptr<CNoiseMap>(CRunProgress&)>& compute)
{
    CRunProgress progress;
    std::shared_ptr<CNoiseMap> result;
    std::atomic<bool> finished{false};
    QProgressDialog dialog(QStringLiteral("소음지도를 계산중입니다."), QStringLiteral("취소"), 0, 100, m_pParent);
    dialog.setWindowTitle(QStringLiteral("소음지도"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(0);
    QEventLoop loop;
    QTimer timer;
    int shown = 0;
    QObject::connect(&timer, &QTimer::timeout, &dialog, [&]() {
        const bool last = finished;  // read first: the percent shown then is the final one
        if (!progress.CancelRequested()) {
            // The refinement adds to the total as it finds where to refine: the bar waits
            // rather than step back, and reaches 100 only at the end.
            const int percent = last ? progress.Percent() : std::min(99, std::max(shown, progress.Percent()));
            shown = percent;
            dialog.setValue(percent);
            dialog.setLabelText(
                QStringLiteral("%1 / %2 ( %3% )").arg(progress.Done()).arg(progress.Total()).arg(percent));
            if (m_onProgressTick)
                m_onProgressTick(dialog, percent);
        }
        if (last)
            loop.quit();
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&]() { progress.RequestCancel(); });
    std::thread worker([&]() {
        result = compute(progress);
        finished = true;
    });
    timer.start(kProgressTickMs);
    loop.exec();
    worker.join();
    return progress.CancelRequested() ? nullptr : result;
}

const CNoiseMap* CNoiseMapCommands::ShownMap()
{
    const CNoiseMap* map = m_pPlanView->noiseMap().get();
    if (!map)
        MessageBoxes().Information(m_pParent, kNoMapShown);
    return map;
}

void CNoiseMapCommands::OnSaveMapPng()
{
    const CNoiseMap* map = ShownMap();
    if (!map)
        return;
    const QString path = ChooseFile(QStringLiteral("소음지도 그림 저장"), QStringLiteral("소음지도.png"),
                                    QStringLiteral("PNG 그림(*.png)"));
    if (path.isEmpty())
        return;
    const CNoiseMapLegend* legend = map->style.legend ? &*map->style.legend : nullptr;
    // The levels labelled in the views are labelled in the picture too.
    WritePng(RenderPlanMapImage(*m_pDoc, map->plan, PlanMapImageSize(*m_pDoc, kPngWidth, legend), map->style,
                                m_pPlanView->resultDisplay()),
             path);
}

// The whole section grid as the section view shows it (its exaggeration), with the model,
// the axes and the legend.
void CNoiseMapCommands::OnSaveSectionPng()
{
    const CNoiseMap* map = ShownMap();
    if (!map)
        return;
    if (!map->section) {  // a plan map alone has no section to save
        MessageBoxes().Information(m_pParent, kNoMapShown);
        return;
    }
    const QString path = ChooseFile(QStringLiteral("소음지도 단면 그림 저장"), QStringLiteral("소음지도_단면.png"),
                                    QStringLiteral("PNG 그림(*.png)"));
    if (path.isEmpty())
        return;
    const CNoiseMapGrid& section = *map->section;
    const double from = section.m_dStartU, to = section.m_dEndU;
    const CSection_View* view = m_pPlanView->SectionView();
    const double exaggeration = view ? view->VerticalExaggeration() : kDefaultSectionExaggeration;
    const CNoiseMapLegend* legend = map->style.legend ? &*map->style.legend : nullptr;
    const QSize size = SectionMapImageSize(section, from, to, exaggeration, kPngWidth, legend);
    WritePng(
        RenderSectionMapImage(*m_pDoc, section, from, to, exaggeration, size, map->style, m_pPlanView->resultDisplay()),
        path);
}

void CNoiseMapCommands::WritePng(const QImage& image, const QString& path) const
{
    if (!image.save(path, "PNG"))
        MessageBoxes().Information(m_pParent, kPngNotWritten);
}

void CNoiseMapCommands::OnSaveGridCsv()
{
    const CNoiseMap* map = ShownMap();
    if (!map)
        return;
    const QString path = ChooseFile(QStringLiteral("소음지도 격자 저장"), QStringLiteral("소음지도.csv"),
                                    QStringLiteral("CSV 파일(*.csv)"));
    if (!path.isEmpty())
        if (const std::string failure = SaveNoiseMapCsv(map->plan, path.toStdString()); !failure.empty())
            Report(failure);
}

void CNoiseMapCommands::OnSaveGridGeoJson()
{
    const CNoiseMap* map = ShownMap();
    if (!map)
        return;
    const QString path = ChooseFile(QStringLiteral("소음지도 GIS 저장"), QStringLiteral("소음지도.gpkg"),
                                    QString::fromUtf8(kMapGisFileFilter));
    if (path.isEmpty())
        return;
    // The shown map's bands: the 5 dB classes, or a difference map's own scale.
    CMapLayerRequest request{ScreenClassEdges(), m_pDoc->m_settings.m_strCrs, kLayerIsobands, {}};
    if (map->style.legend)
        request = {map->style.scale.edges, m_pDoc->m_settings.m_strCrs, kLayerIsobands, map->style.scale.colours};
    if (const std::string failure = WriteMapGisFile(*m_pDoc, map->plan, request, path.toStdString()); !failure.empty())
        Report(failure);
}
