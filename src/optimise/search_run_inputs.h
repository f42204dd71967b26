#pragma once

// The engine's run inputs for the searches' state the document holds while a search
// runs (set by RunLengthSearch and RunOptimisation, kept in the document for the file
// and the windows). Every prediction a search runs passes this value to the engine.

#include "engine/run_inputs.h"

class CMyTalvoDoc;

// An optimisation run with the document's candidate barrier and receiver while it is
// optimising; a divergence-recording run while it searches the barrier length; an
// ordinary prediction otherwise.
CRunInputs SearchRunInputs(const CMyTalvoDoc& doc);
