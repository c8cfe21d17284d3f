#include "models/chunk_reader.h"

#include <cstring>

bool CChunkReader::ReadU8(uint8_t* pValue)
{
    if (Remaining() < 1)
        return false;
    *pValue = uint8_t(m_bytes[m_nPos++]);
    return true;
}

bool CChunkReader::ReadU16(uint16_t* pValue)
{
    if (Remaining() < 2)
        return false;
    *pValue = uint16_t(uint8_t(m_bytes[m_nPos]) | uint8_t(m_bytes[m_nPos + 1]) << 8);
    m_nPos += 2;
    return true;
}

bool CChunkReader::ReadU32(uint32_t* pValue)
{
    if (Remaining() < 4)
        return false;
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value << 8 | uint8_t(m_bytes[m_nPos + k]);
    *pValue = value;
    m_nPos += 4;
    return true;
}

bool CChunkReader::Skip(size_t count)
{
    if (Remaining() < count)
        return false;
    m_nPos += count;
    return true;
}

bool CChunkReader::ReadName(size_t bufferSize, std::string* pName)
{
    const void* terminator = std::memchr(m_bytes.data() + m_nPos, 0, Remaining());
    if (!terminator)
        return false;
    const size_t length = static_cast<const char*>(terminator) - (m_bytes.data() + m_nPos);
    if (length >= bufferSize)
        return false;
    if (pName)
        pName->assign(m_bytes, m_nPos, length);
    m_nPos += length + 1;
    return true;
}
