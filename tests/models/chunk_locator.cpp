#include "chunk_locator.h"

#include <cstring>
#include <set>
#include <stdexcept>

namespace
{
uint16_t GetU16(const std::string& b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

uint32_t GetU32(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

// Bytes before the sub-chunks of a container; -1 for a leaf.
long Prefix(const std::string& b, uint16_t id, size_t data)
{
    static const std::set<uint16_t> kContainers = {0x4D4D, 0x3D3D, 0xAFFF, 0xA010, 0xA020,
                                                   0xA030, 0xA040, 0xA041, 0xA050, 0xA052,
                                                   0xA053, 0xA084, 0xA200, 0x4100, 0xB000};
    if (kContainers.count(id) || (id >= 0xB001 && id <= 0xB007))
        return 0;
    switch (id)
    {
    case 0x4000:
        return long(std::strlen(b.data() + data) + 1);
    case 0x4120:
        return 2 + 8 * long(GetU16(b, data));
    case 0x4600:
        return 12;
    case 0x4610:
        return 20;
    default:
        return -1;
    }
}

void Walk(const std::string& b, size_t begin, size_t end, std::vector<ChunkAt>& out)
{
    for (size_t at = begin; at + 6 <= end;)
    {
        ChunkAt chunk{GetU16(b, at), at, GetU32(b, at + 2)};
        if (chunk.size < 6 || at + chunk.size > end)
            return;
        out.push_back(chunk);
        const long prefix = Prefix(b, chunk.id, at + 6);
        if (prefix >= 0)
            Walk(b, at + 6 + size_t(prefix), at + chunk.size, out);
        at += chunk.size;
    }
}
} // namespace

std::vector<ChunkAt> ListChunks(const std::string& bytes)
{
    std::vector<ChunkAt> chunks;
    Walk(bytes, 0, bytes.size(), chunks);
    return chunks;
}

size_t FindChunk(const std::string& bytes, uint16_t id, int nth)
{
    for (const ChunkAt& chunk : ListChunks(bytes))
        if (chunk.id == id && nth-- == 0)
            return chunk.offset;
    throw std::runtime_error("no such chunk");
}

void PutU16(std::string& b, size_t at, uint16_t value)
{
    b[at] = char(value & 0xFF);
    b[at + 1] = char(value >> 8);
}

void PutU32(std::string& b, size_t at, uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        b[at + k] = char((value >> (8 * k)) & 0xFF);
}
