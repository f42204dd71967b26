#include "model/grid_walk.h"

std::vector<double> WalkAxis(double start, double end, double spacing)
{
    std::vector<double> values;
    for (double v = start; v <= end; v += spacing) {
        values.push_back(v);
        if (!(v + spacing > v))
            break;
    }
    return values;
}
