#pragma once

// Ground attenuation of one path, ISO 9613-2 general method (7.3.1), with the source
// region hard (Gs = 0) and every band value floored at -6 dB. Pure: safe on any thread.

#include "model/bands.h"
#include "model/mvector.h"

struct CGroundFactors {
    double m_dArea = 0;    // Gr, receiver region
    double m_dMiddle = 0;  // Gm, middle region
};

// s and r are the source and receiver positions; groundAtS and groundAtR the terrain
// heights under them (all heights relative to the base height).
Bands GroundAttenuation(const CMVector& s, const CMVector& r, double groundAtS, double groundAtR,
                        const CGroundFactors& factors);

// The factors of the receiver-region terms that depend on the receiver's height hr above
// the ground alone, the same for every path to that receiver.
struct CReceiverHeightTerms {
    double m_dHeight = 0;  // hr
    double m_dA1 = 0, m_dA2 = 0, m_dB = 0, m_dC = 0, m_dD = 0;
};
CReceiverHeightTerms ReceiverHeightTerms(double hr);

// The same with the receiver's terms made once (for hr = r.z - groundAtR).
Bands GroundAttenuation(const CMVector& s, const CMVector& r, double groundAtS, const CReceiverHeightTerms& receiver,
                        const CGroundFactors& factors);

// The middle-region factor q of ISO 9613-2, eq. (9).
double GroundMiddleFactor(double planDistance, double hs, double hr);
