#include "models/memory_io_3ds.h"

#include <lib3ds/file.h>
#include <lib3ds/io.h>

#include <algorithm>
#include <cstring>

namespace
{
struct MemoryStream
{
    const std::string* pBytes = nullptr;
    std::string* pWritten = nullptr; // set when lib3ds writes

    long nPos = 0;
    bool bError = false;
};

Lib3dsBool StreamError(void* self)
{
    return static_cast<MemoryStream*>(self)->bError;
}

long StreamSeek(void* self, long offset, Lib3dsIoSeek origin)
{
    auto* stream = static_cast<MemoryStream*>(self);
    const long size = long(stream->pBytes->size());
    long base = 0;
    if (origin == LIB3DS_SEEK_CUR)
        base = stream->nPos;
    else if (origin == LIB3DS_SEEK_END)
        base = size;
    const long target = base + offset;
    if (target < 0 || target > size)
    {
        stream->bError = true;
        return -1;
    }
    stream->nPos = target;
    return 0;
}

long StreamTell(void* self)
{
    return static_cast<MemoryStream*>(self)->nPos;
}

size_t StreamRead(void* self, void* buffer, size_t size)
{
    auto* stream = static_cast<MemoryStream*>(self);
    const size_t available = stream->pBytes->size() - size_t(stream->nPos);
    const size_t count = std::min(size, available);
    std::memcpy(buffer, stream->pBytes->data() + stream->nPos, count);
    stream->nPos += long(count);
    if (count < size)
        stream->bError = true;
    return count;
}

size_t StreamWrite(void* self, const void* buffer, size_t size)
{
    auto* stream = static_cast<MemoryStream*>(self);
    if (!stream->pWritten)
        return 0;
    // lib3ds seeks back to fill in chunk sizes, so a write may overwrite.
    std::string& bytes = *stream->pWritten;
    const size_t end = size_t(stream->nPos) + size;
    if (end > bytes.size())
        bytes.resize(end);
    std::memcpy(&bytes[size_t(stream->nPos)], buffer, size);
    stream->nPos = long(end);
    return size;
}
} // namespace

void C3dsFileDeleter::operator()(Lib3dsFile* pFile) const
{
    lib3ds_file_free(pFile);
}

Unique3dsFile Load3dsFromMemory(const std::string& bytes)
{
    MemoryStream stream;
    stream.pBytes = &bytes;
    Unique3dsFile file(lib3ds_file_new());
    Lib3dsIo* io =
        lib3ds_io_new(&stream, StreamError, StreamSeek, StreamTell, StreamRead, StreamWrite);
    if (!file || !io)
    {
        if (io)
            lib3ds_io_free(io);
        return nullptr;
    }
    const bool ok = lib3ds_file_read(file.get(), io) && !stream.bError;
    lib3ds_io_free(io);
    if (!ok)
        return nullptr;
    return file;
}

bool Save3dsToMemory(Lib3dsFile* file, std::string* bytes)
{
    bytes->clear();
    MemoryStream stream;
    stream.pBytes = bytes;
    stream.pWritten = bytes;
    Lib3dsIo* io =
        lib3ds_io_new(&stream, StreamError, StreamSeek, StreamTell, StreamRead, StreamWrite);
    if (!io)
        return false;
    const bool ok = lib3ds_file_write(file, io) && !stream.bError;
    lib3ds_io_free(io);
    return ok;
}
