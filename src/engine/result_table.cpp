#include "engine/result_table.h"

#include "engine/period_levels.h"
#include "model/document.h"

const char* const kResultTableHeader = "ID\tX(m)\tY(m)\tZ(m)\t63\t125\t250\t500\t1K\t2K\t4K\t8K\tOverall";

std::string ResultRowText(const CReceiverPoint& receiver, int id, EPeriod period)
{
    std::string line = std::to_string(id);
    for (double v : {receiver.m_dX, receiver.m_dY, receiver.m_dZ})
        line += '\t' + FormatFixed2(v);
    const Bands& levels = LevelsOf(receiver, period);
    for (double level : levels)
        line += '\t' + FormatLevel(level);
    line += '\t' + FormatLevel(EnergySum(levels));
    return line;
}

std::string ResultTableText(const CMyTalvoDoc& doc, EPeriod period)
{
    std::string text = std::string(kResultTableHeader) + '\n';
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i)
        text += ResultRowText(doc.m_arrReceiver[i], static_cast<int>(i) + 1, period) + '\n';
    return text;
}
