#include "app/noise_map_commands.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressDialog>
#include <QTimer>
#include <QToolBar>
#include <atomic>
#include <thread>

#include "drawing/section_exaggeration.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "engine/noise_map_compute.h"
#include "engine/noise_map_difference.h"
#include "gis/gis_map_layers.h"
#include "io/noise_map_export.h"
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

QStringList BandEntries()
{
    return {QStringLiteral("Overall (dBA)"), QStringLiteral("63 Hz"),  QStringLiteral("125 Hz"),
            QStringLiteral("250 Hz"),        QStringLiteral("500 Hz"), QStringLiteral("1K Hz"),
            QStringLiteral("2K Hz"),         QStringLiteral("4K Hz"),  QStringLiteral("8K Hz")};
}

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

}  // namespace

std::shared_ptr<CNoiseMap> ComputeViewsNoiseMap(const CMyTalvoDoc& doc, int band, CRunProgress& progress, int threads)
{
    const CCalcScene scene(doc);
    auto map = std::make_shared<CNoiseMap>(ViewsMapLayout(doc.m_settings, DocumentSectionGround(doc), band));
    // One run over the nodes of both grids, so the progress goes from 0 to 100% once.
    progress.Start(NodeCount(*map));
    if (!ComputeViewsGrids(scene, *map, progress, threads))
        return nullptr;
    map->PrepareShapes();
    return map;
}

std::shared_ptr<CNoiseMap> ComputeViewsDifferenceMap(const CCalcScene& minuend, const CCalcScene& subtrahend,
                                                     const CProjectSettings& settings, const CSectionGround& ground,
                                                     int band, double step, CRunProgress& progress, int threads)
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
    resultMenu->addAction(m_pPngAction);
    resultMenu->addAction(m_pSectionPngAction);
    resultMenu->addAction(m_pCsvAction);
    resultMenu->addAction(m_pGeoJsonAction);
}

void CNoiseMapCommands::Report(const std::string& message)
{
    MessageBoxes().Information(m_pParent, QString::fromStdString(message));
}

std::optional<int> CNoiseMapCommands::ChooseBand() const
{
    if (m_chooseBand)
        return m_chooseBand();
    bool ok = false;
    const QStringList entries = BandEntries();
    const QString chosen = QInputDialog::getItem(m_pParent, QStringLiteral("소음지도"),
                                                 QStringLiteral("주파수밴드를 선택하세요."), entries, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(entries.indexOf(chosen));
}

QString CNoiseMapCommands::ChooseFile(const QString& title, const QString& name, const QString& filter) const
{
    return FileDialogs().SaveFileName(m_pParent, title, name, filter);
}

void CNoiseMapCommands::OnNoiseMap()
{
    const CProjectSettings& s = m_pDoc->m_settings;
    std::string refusal = CheckNoiseMap(*m_pDoc, s.m_dReceiverSpacing);
    if (refusal.empty())
        refusal = CheckSectionMap(s, SectionSpacing(s));
    if (!refusal.empty()) {
        Report(refusal);
        return;
    }
    const std::optional<int> band = ChooseBand();
    if (!band || *band < 0)
        return;
    const CMyTalvoDoc& doc = *m_pDoc;
    const int chosen = *band;
    if (auto map = ComputeWithProgress(
            [&doc, chosen](CRunProgress& progress) { return ComputeViewsNoiseMap(doc, chosen, progress); })) {
        if (const std::string note = ExclusionNote(doc); !note.empty())
            map->style.name += QStringLiteral(" (%1)").arg(QString::fromStdString(note));
        m_pPlanView->SetNoiseMap(std::move(map));
    }
}

// Computes on a worker while a modal progress dialog shows "done / total ( percent% )"
// every 100 ms over the nodes of both grids; its cancel button stops the workers after the
// nodes they are on, and a cancelled run shows nothing even when it had just finished.
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
    QObject::connect(&timer, &QTimer::timeout, &dialog, [&]() {
        const bool last = finished;  // read first: the percent shown then is the final one
        if (!progress.CancelRequested()) {
            const int percent = progress.Percent();
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
