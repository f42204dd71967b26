#include "maps/noise_map_shapes.h"

#include <cmath>
#include <limits>

#include "model/noise_level_classes.h"

CMapScale ClassMapScale()
{
    CMapScale scale;
    const auto edges = LevelClassEdges();
    scale.edges.assign(edges.begin(), edges.end());
    for (int k = 0; k < kLevelClassCount; ++k)
        scale.colours.emplace_back(LevelClassColour(k));
    return scale;
}

void ColourBands(std::vector<CIsoband>& bands, const CMapScale& scale)
{
    for (CIsoband& band : bands) {
        // A band's index in the scale: the number of edges at or below its lower end.
        std::size_t index = 0;
        while (index < scale.edges.size() && std::isfinite(band.lower) && scale.edges[index] <= band.lower)
            ++index;
        if (index < scale.colours.size())
            band.colour = scale.colours[index];
    }
}

std::string EdgeColour(const CMapScale& scale, std::size_t edge)
{
    return edge + 1 < scale.colours.size() ? scale.colours[edge + 1] : std::string("#000000");
}

CMapShapes MapShapes(const CNoiseMapGrid& grid, const CMapScale& scale, int threads)
{
    const CNoiseMapGrid whole = ReachingExtent(grid);
    CMapShapes shapes;
    shapes.bands = Isobands(whole, scale.edges, threads);
    ColourBands(shapes.bands, scale);
    shapes.lines = IsoSegments(whole, scale.edges, threads);
    return shapes;
}

CMapShapes SectionMapShapes(const CNoiseMapGrid& grid, const CMapScale& scale, int threads)
{
    return MapShapes(ReachingOneStepFurther(grid), scale, threads);
}
