// The PNG pictures of talvo-cli map: the plan noise map with the model and the legend, and
// the section map along the project's section line, painted without a display. This part
// needs Qt's painting: it lives in the small library talvo_cli_map and creates its
// QGuiApplication only while it runs.
#include "cli/map_args.h"
#include "cli/offscreen_platform.h"
#include "cli/period_option.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdlib>

#include "drawing/section_exaggeration.h"
#include "drawing/section_ground_cut.h"
#include "engine/calc_scene.h"
#include "io/output_file.h"
#include "maps/noise_map_compute.h"
#include "maps/noise_map_exceedance.h"
#include "maps/noise_map_shapes.h"
#include "model/compliance.h"
#include "model/document.h"
#include "render/noise_map_image.h"

namespace {

// Writes image as a PNG beside path and renames it into place: a failed or killed run
// leaves the previous picture as it was.
void SavePng(const QImage& image, const std::string& path)
{
    COutputFile file;
    if (const std::string failure = file.Create(path); !failure.empty())
        FailMap(path, failure);
    file.Stream().close();
    if (!image.save(QString::fromStdString(file.TemporaryPath()), "PNG"))
        FailMap(path, "PNG 파일을 쓸 수 없습니다.");
    if (const std::string failure = file.Commit(); !failure.empty())
        FailMap(path, failure);
}

// The section map along the project's section line, the whole line or the stretch asked for,
// masked by the ground and drawn with the exaggeration asked for.
void RenderSection(CMyTalvoDoc& doc, const MapArgs& args, const CMapStyle& style)
{
    const CCalcScene scene(doc, {}, PeriodOf(args.period));
    const CSectionGround ground = DocumentSectionGround(doc);
    CNoiseMapGrid grid = SectionMapLayout(doc.m_settings, ground, SectionSpacingOf(doc, args), args.band);
    CRunProgress progress;
    ComputeNoiseMap(scene, grid, progress, args.threads);
    RefineMap(grid, SceneLevelAt(scene, grid, &ground), ClassMapScale().edges, args);
    const double from = args.sectionFrom.value_or(grid.m_dStartU);
    const double to = args.sectionTo.value_or(grid.m_dEndU);
    const double exaggeration = args.exaggeration.value_or(kDefaultSectionExaggeration);
    QSize size = SectionMapImageSize(grid, from, to, exaggeration, args.width);
    if (args.heightPx)
        size.setHeight(*args.heightPx);
    SavePng(RenderSectionMapImage(doc, grid, from, to, exaggeration, size, style), args.sectionOutput);
}

QString FileName(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

// The style of the maps asked for; a night map's title calls it "야간 ...".
CMapStyle StyleOf(const CMyTalvoDoc& doc, const MapArgs& args)
{
    if (args.exceedance)  // its legend names the period
        return ExceedanceMapStyle(QString::fromUtf8(PeriodName(ExceedancePeriod(args))),
                                  *MapLimit(doc.m_settings, ExceedancePeriod(args)));
    CMapStyle style = args.diff.empty() ? CMapStyle() : DifferenceMapStyle(args.diffStep, args.band);
    if (!args.diff.empty())
        NameDifference(style, FileName(args.project), FileName(args.diff));
    if (PeriodOf(args.period) == EPeriod::kNight)
        style.name = QStringLiteral("야간 ") + style.name;
    return style;
}

}  // namespace

void WriteMapPngs(CMyTalvoDoc& doc, const CNoiseMapGrid& grid, const MapArgs& args)
{
    PrepareCommandLineQt();
    int argc = 1;
    char name[] = "talvo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const CMapStyle style = StyleOf(doc, args);
    if (!args.output.empty()) {
        QSize size = PlanMapImageSize(doc, args.width, style.legend ? &*style.legend : nullptr);
        if (args.heightPx)
            size.setHeight(*args.heightPx);
        SavePng(RenderPlanMapImage(doc, grid, size, style), args.output);
    }
    if (!args.sectionOutput.empty())
        RenderSection(doc, args, CMapStyle{CMapStyle().scale, std::nullopt, style.name});
}
