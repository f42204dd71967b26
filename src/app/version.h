#pragma once

#include "model/program_version.h"
