#pragma once

#include <QIcon>

// The program's own toolbar pictures, drawn at start-up; an empty icon for other ids.
QIcon CommandIcon(int commandId);
