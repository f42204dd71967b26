#pragma once

// The prediction of the calculate command: every receiver to process against every
// source piece, one CAttenuation per pair stored receiver-major, then the summation.
// Runs on the thread that owns the document; receivers are spread over worker threads
// internally, each with its own scratch.

#include <string>
#include <vector>

#include "engine/run_inputs.h"

class CMyTalvoDoc;

// Needs doc.m_arrSegment built; fills the levels of the façade receivers derived into
// doc.m_arrFacade beforehand. Appends "계산 종료" to messages after an ordinary
// prediction (neither optimising nor searching the barrier length).
void RunPrediction(CMyTalvoDoc& doc, const CRunInputs& run, std::vector<std::string>& messages);
