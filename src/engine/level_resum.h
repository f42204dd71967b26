#pragma once

// Levels summed again after a change that moves no path: the traffic or the band powers
// of roads and tunnels (either period), the night traffic ratio, texts, targets and zones.
// The last calculation's energy transfers (model/level_transfers.h) give the new levels of
// the receivers and the façade receivers at once, without propagating anything; a change of
// anything a path depends on still needs a new calculation. Runs on the thread that owns
// the document.

class CMyTalvoDoc;

// True when the document keeps the transfers of a calculation of the whole model and they
// belong to the model as it stands (CPropagationInputs equal), so that ResumLevels may run.
bool CanResumLevels(const CMyTalvoDoc& doc);

// When CanResumLevels and the calculation would take the model as it stands (no value it
// refuses): the source pieces take the powers the model holds now (so that maps and point
// levels use them), the day and night levels of the receivers and façade receivers are
// summed from the transfers, and the results are current again (a new results revision, as
// after a calculation: an undo step compares it). The attenuation records keep the
// contributions of the powers they were propagated with. False, changing nothing,
// otherwise.
bool ResumLevels(CMyTalvoDoc& doc);
