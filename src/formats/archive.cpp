#include "formats/archive.h"

#include "formats/ansi_encoding.h"

#include <cstring>

namespace
{
// Length prefixes: one byte below 0xFF; 0xFF + 16 bits below 0xFFFE;
// 0xFF 0xFFFF + 32 bits beyond. 0xFF 0xFFFE announces UTF-16 characters.
constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kVeryLongLength = 0xFFFF;
constexpr uint16_t kUtf16Marker = 0xFFFE;
} // namespace

CArchive::CArchive() : m_bStoring(true) {}

CArchive::CArchive(std::string bytes) : m_bStoring(false), m_bytes(std::move(bytes)) {}

void CArchive::WriteRaw(const void* data, size_t size)
{
    m_bytes.append(static_cast<const char*>(data), size);
}

// The file format is little-endian, as is every machine we build for; the
// static_assert keeps a big-endian port from silently writing wrong files.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "project files are little-endian");

void CArchive::WriteI32(int32_t value) { WriteRaw(&value, 4); }
void CArchive::WriteU32(uint32_t value) { WriteRaw(&value, 4); }
void CArchive::WriteF32(float value) { WriteRaw(&value, 4); }
void CArchive::WriteF64(double value) { WriteRaw(&value, 8); }

void CArchive::WriteLength(uint64_t length)
{
    if (length < kLongLength)
    {
        const uint8_t shortLength = static_cast<uint8_t>(length);
        WriteRaw(&shortLength, 1);
    }
    else if (length < kUtf16Marker)
    {
        const uint16_t mediumLength = static_cast<uint16_t>(length);
        WriteRaw(&kLongLength, 1);
        WriteRaw(&mediumLength, 2);
    }
    else
    {
        const uint32_t longLength = static_cast<uint32_t>(length);
        WriteRaw(&kLongLength, 1);
        WriteRaw(&kVeryLongLength, 2);
        WriteRaw(&longLength, 4);
    }
}

void CArchive::WriteString(const std::string& utf8)
{
    if (const auto ansi = Utf8ToWindows1252(utf8))
    {
        WriteLength(ansi->size());
        WriteRaw(ansi->data(), ansi->size());
        return;
    }
    const std::u16string wide = Utf8ToUtf16(utf8);
    WriteRaw(&kLongLength, 1);
    WriteRaw(&kUtf16Marker, 2);
    WriteLength(wide.size());
    for (char16_t unit : wide)
        WriteRaw(&unit, 2);
}

void CArchive::ReadRaw(void* data, size_t size, const char* what)
{
    if (Remaining() < size)
        Fail(std::string("unexpected end of file reading ") + what);
    std::memcpy(data, m_bytes.data() + m_nOffset, size);
    m_nOffset += size;
}

int32_t CArchive::ReadI32()
{
    int32_t value;
    ReadRaw(&value, 4, "a 32-bit integer");
    return value;
}

uint32_t CArchive::ReadU32()
{
    uint32_t value;
    ReadRaw(&value, 4, "a 32-bit integer");
    return value;
}

float CArchive::ReadF32()
{
    float value;
    ReadRaw(&value, 4, "a single-precision number");
    return value;
}

double CArchive::ReadF64()
{
    double value;
    ReadRaw(&value, 8, "a double-precision number");
    return value;
}

uint64_t CArchive::ReadLength()
{
    uint8_t shortLength;
    ReadRaw(&shortLength, 1, "a string length");
    if (shortLength != kLongLength)
        return shortLength;
    uint16_t mediumLength;
    ReadRaw(&mediumLength, 2, "a string length");
    if (mediumLength != kVeryLongLength)
        return mediumLength;
    uint32_t longLength;
    ReadRaw(&longLength, 4, "a string length");
    return longLength;
}

std::string CArchive::ReadString()
{
    const size_t start = m_nOffset;
    uint64_t length = ReadLength();
    if (length != kUtf16Marker || m_nOffset - start != 3)
    {
        RequireBytes(length, "string characters");
        std::string ansi = m_bytes.substr(m_nOffset, length);
        m_nOffset += length;
        return Windows1252ToUtf8(ansi);
    }
    length = ReadLength();
    if (length > Remaining() / 2)
        Fail("string of " + std::to_string(length) + " UTF-16 characters runs past the end of file");
    std::u16string wide(length, u'\0');
    ReadRaw(wide.data(), length * 2, "string characters");
    return Utf16ToUtf8(wide);
}

void CArchive::WriteBytes(const std::string& bytes)
{
    WriteRaw(bytes.data(), bytes.size());
}

void CArchive::Skip(size_t count, const char* what)
{
    RequireBytes(count, what);
    m_nOffset += count;
}

void CArchive::RequireBytes(size_t count, const char* what)
{
    if (count > Remaining())
        Fail(std::string(what) + " of " + std::to_string(count) + " bytes runs past the end of file");
}

void CArchive::RequireCount(uint32_t count, size_t minBytesEach, const char* what)
{
    if (minBytesEach > 0 && count > Remaining() / minBytesEach)
        Fail("count of " + std::to_string(count) + " " + what + " is more than the file can hold");
}

CArchive::Record::Record(CArchive& ar, std::string name) : m_ar(ar)
{
    m_ar.m_records.push_back(std::move(name));
}

CArchive::Record::~Record() { m_ar.m_records.pop_back(); }

void CArchive::Fail(const std::string& what) const
{
    std::string message = what + " at byte " + std::to_string(m_nOffset);
    if (!m_records.empty())
    {
        message += " (reading ";
        for (size_t k = 0; k < m_records.size(); ++k)
            message += (k ? ", " : "") + m_records[k];
        message += ")";
    }
    throw CArchiveException(message);
}
