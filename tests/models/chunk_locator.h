#pragma once
// Finds chunks in a 3DS file written by the tests, to damage them on
// purpose. Walks the containers lib3ds writes; knows nothing of leaves.

#include <cstdint>
#include <string>
#include <vector>

struct ChunkAt
{
    uint16_t id = 0;
    size_t offset = 0; // of the chunk header
    uint32_t size = 0;
};

std::vector<ChunkAt> ListChunks(const std::string& bytes);
// Offset of the n-th chunk with this id; throws when there is none.
size_t FindChunk(const std::string& bytes, uint16_t id, int nth = 0);

void PutU16(std::string& bytes, size_t at, uint16_t value);
void PutU32(std::string& bytes, size_t at, uint32_t value);
