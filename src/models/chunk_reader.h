#pragma once
// A bounds-checked little-endian reader over a span of a 3DS file held in
// memory. Every read says whether the bytes were there; nothing reads past
// the span's end.

#include <cstddef>
#include <cstdint>
#include <string>

class CChunkReader
{
  public:
    CChunkReader(const std::string& bytes, size_t begin, size_t end)
        : m_bytes(bytes), m_nPos(begin), m_nEnd(end)
    {
    }

    size_t Position() const { return m_nPos; }
    size_t Remaining() const { return m_nEnd - m_nPos; }

    bool ReadU8(uint8_t* pValue);
    bool ReadU16(uint16_t* pValue);
    bool ReadU32(uint32_t* pValue);
    bool Skip(size_t count);
    // A zero-terminated string whose length, terminator excluded, is below
    // bufferSize: the fixed buffers lib3ds copies names into.
    bool ReadName(size_t bufferSize, std::string* pName);

  private:
    const std::string& m_bytes;
    size_t m_nPos;
    size_t m_nEnd;
};
