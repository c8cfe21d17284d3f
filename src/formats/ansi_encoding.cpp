#include "formats/ansi_encoding.h"

namespace
{
// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves
// undefined, which are kept as the C1 control of the same value.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kHighTable[byte - 0x80] != 0)
        return kHighTable[byte - 0x80];
    return byte;
}

std::optional<unsigned char> CodePointToByte(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<unsigned char>(code);
    for (int k = 0; k < 32; ++k)
    {
        const char16_t mapped = kHighTable[k];
        if ((mapped != 0 && mapped == code) || (mapped == 0 && code == char32_t(0x80 + k)))
            return static_cast<unsigned char>(0x80 + k);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80)
        out += static_cast<char>(code);
    else if (code < 0x800)
    {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else if (code < 0x10000)
    {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; malformed input yields U+FFFD and
// advances one byte, so a damaged string never stalls the loop.
char32_t NextCodePoint(const std::string& s, size_t& pos)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80)
    {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0)
    {
        extra = 1;
        code = lead & 0x1F;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        extra = 2;
        code = lead & 0x0F;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        extra = 3;
        code = lead & 0x07;
    }
    else
    {
        ++pos;
        return 0xFFFD;
    }
    if (pos + extra >= s.size())
    {
        ++pos;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k)
    {
        if ((byte(pos + k) & 0xC0) != 0x80)
        {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(pos + k) & 0x3F);
    }
    pos += extra + 1;
    return code;
}
} // namespace

std::optional<std::string> Utf8ToWindows1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();)
    {
        const auto byte = CodePointToByte(NextCodePoint(utf8, pos));
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string Windows1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char byte : bytes)
        AppendUtf8(out, ByteToCodePoint(byte));
    return out;
}

std::u16string Utf8ToUtf16(const std::string& utf8)
{
    std::u16string out;
    for (size_t pos = 0; pos < utf8.size();)
    {
        const char32_t code = NextCodePoint(utf8, pos);
        if (code >= 0x10000)
        {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
        else
            out += static_cast<char16_t>(code);
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16)
{
    std::string out;
    for (size_t k = 0; k < utf16.size(); ++k)
    {
        const char16_t unit = utf16[k];
        if (unit >= 0xD800 && unit <= 0xDBFF && k + 1 < utf16.size() && utf16[k + 1] >= 0xDC00 &&
            utf16[k + 1] <= 0xDFFF)
        {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[k + 1] - 0xDC00));
            ++k;
        }
        else if (unit >= 0xD800 && unit <= 0xDFFF)
            AppendUtf8(out, 0xFFFD);
        else
            AppendUtf8(out, unit);
    }
    return out;
}
