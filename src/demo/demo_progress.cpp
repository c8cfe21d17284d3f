#include "demo/demo_progress.h"

CDemoProgress::CDemoProgress(std::FILE* pStream, bool bTerminal, int nTotal)
    : m_pStream(pStream), m_bTerminal(bTerminal), m_nTotal(nTotal > 0 ? nTotal : 1)
{
}

CDemoProgress::~CDemoProgress()
{
    if (m_bTerminal && m_nDone > 0 && m_nDone < m_nTotal)
        std::fputc('\n', m_pStream);
}

void CDemoProgress::Advance()
{
    ++m_nDone;
    if (m_bTerminal)
    {
        std::fprintf(m_pStream, "\rFotogramas: %d/%d", m_nDone, m_nTotal);
        if (m_nDone >= m_nTotal)
            std::fputc('\n', m_pStream);
    }
    else if (m_nDone * 10 / m_nTotal != (m_nDone - 1) * 10 / m_nTotal)
        std::fprintf(m_pStream, "Fotogramas: %d/%d\n", m_nDone, m_nTotal);
    std::fflush(m_pStream);
}
