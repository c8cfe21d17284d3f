#pragma once
// The project file's byte stream: little-endian numbers and length-prefixed
// Windows-1252 strings. Loading reads from bytes already in memory and checks
// every length and count against what is left, so a damaged file fails with
// the byte offset and the record being read instead of a huge allocation.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class CArchiveException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class CArchive
{
public:
    // A storing archive writes into Bytes(); a loading archive reads `bytes`.
    CArchive();
    explicit CArchive(std::string bytes);

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    // The full path of the file behind the archive, for the project directory.
    const std::string& GetFilePath() const { return m_strFilePath; }
    void SetFilePath(const std::string& path) { m_strFilePath = path; }

    const std::string& Bytes() const { return m_bytes; }
    size_t Offset() const { return m_nOffset; }
    size_t Remaining() const { return m_bytes.size() - m_nOffset; }

    void WriteI32(int32_t value);
    void WriteU32(uint32_t value);
    void WriteF32(float value);
    void WriteF64(double value);
    // UTF-8 in memory; Windows-1252 on disk, or the UTF-16 form when a
    // character has no Windows-1252 byte.
    void WriteString(const std::string& utf8);
    // Bytes as they stand, without a length: a tag, say.
    void WriteBytes(const std::string& bytes);

    int32_t ReadI32();
    uint32_t ReadU32();
    float ReadF32();
    double ReadF64();
    std::string ReadString();

    // Fails unless `count` items of at least `minBytesEach` bytes can still
    // be in the file: a count no file could hold is refused before any loop.
    void RequireCount(uint32_t count, size_t minBytesEach, const char* what);
    void RequireBytes(size_t count, const char* what);
    // Passes over `count` bytes, which must be there.
    void Skip(size_t count, const char* what);

    // Names the record being read, for error messages; nests.
    class Record
    {
    public:
        Record(CArchive& ar, std::string name);
        ~Record();
        Record(const Record&) = delete;
        Record& operator=(const Record&) = delete;

    private:
        CArchive& m_ar;
    };

    // A count, checked as RequireCount does, then that many records appended
    // to `items`, each read by its own Serialize under the record name
    // "<item> k" (k from 1).
    template <typename List>
    void ReadRecords(List& items, size_t minBytesEach, const char* what, const std::string& item)
    {
        const uint32_t count = ReadU32();
        RequireCount(count, minBytesEach, what);
        for (uint32_t k = 0; k < count; ++k)
        {
            Record record(*this, item + " " + std::to_string(k + 1));
            items.emplace_back();
            items.back().Serialize(*this);
        }
    }

    [[noreturn]] void Fail(const std::string& what) const;

private:
    void WriteRaw(const void* data, size_t size);
    void ReadRaw(void* data, size_t size, const char* what);
    void WriteLength(uint64_t length);
    uint64_t ReadLength();

    bool m_bStoring;
    std::string m_bytes;
    size_t m_nOffset = 0;
    std::string m_strFilePath;
    std::vector<std::string> m_records;
};
