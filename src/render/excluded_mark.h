#pragma once

// The tag both views put beside a barrier the calculation leaves out: "제외" in a small
// light box, so that it reads on the plain background and on every noise-map colour.

#include <QPointF>

class QPainter;

inline constexpr const char* kExcludedTag = "제외";

// The tag with its bottom left corner at `at` (pixels), in the painter's current font.
void DrawExcludedMark(QPainter& painter, QPointF at);
