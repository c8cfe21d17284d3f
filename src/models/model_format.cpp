#include "models/model_format.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace
{
// Text formats announce themselves within their first lines; looking
// further would only find the same words in the data.
constexpr size_t kTextProbeBytes = 4096;
// The 3DS main chunk's id, 0x4D4D, little-endian.
constexpr unsigned char kMain3dsChunk[2] = {0x4D, 0x4D};
constexpr char kGlbMagic[] = "glTF";
constexpr char kFbxBinaryMagic[] = "Kaydara FBX Binary";

bool StartsWith(const std::string& bytes, const char* prefix, size_t length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), prefix, length) == 0;
}

std::string TextHead(const std::string& bytes)
{
    std::string head = bytes.substr(0, kTextProbeBytes);
    // A UTF-8 byte order mark is not part of the text.
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0)
        head.erase(0, 3);
    return head;
}

bool IsText(const std::string& head)
{
    return std::none_of(head.begin(), head.end(), [](char c) { return c == '\0'; });
}

// An OBJ file is lines of keywords; a vertex or face line among its first
// lines tells it from any other text.
bool LooksLikeObj(const std::string& head)
{
    size_t start = 0;
    bool bGeometry = false;
    while (start < head.size())
    {
        size_t end = head.find('\n', start);
        if (end == std::string::npos)
            end = head.size();
        const std::string line = head.substr(start, end - start);
        start = end + 1;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const std::string keyword = line.substr(first, line.find_first_of(" \t", first) - first);
        static const char* const kKeywords[] = {"v", "vt", "vn", "vp", "f",      "l",
                                                "p", "o",  "g",  "s",  "mtllib", "usemtl"};
        if (std::find_if(std::begin(kKeywords), std::end(kKeywords),
                         [&](const char* known)
                         { return keyword == known; }) == std::end(kKeywords))
            return false;
        bGeometry = bGeometry || keyword == "v" || keyword == "f";
    }
    return bGeometry;
}

ModelFormat FormatFromContent(const std::string& bytes)
{
    if (StartsWith(bytes, reinterpret_cast<const char*>(kMain3dsChunk), 2))
        return ModelFormat::Max3ds;
    if (StartsWith(bytes, kGlbMagic, 4))
        return ModelFormat::Glb;
    if (StartsWith(bytes, kFbxBinaryMagic, sizeof kFbxBinaryMagic - 1))
        return ModelFormat::Fbx;
    const std::string head = TextHead(bytes);
    if (!IsText(head))
        return ModelFormat::Unknown;
    const size_t first = head.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && head[first] == '{' &&
        head.find("\"asset\"") != std::string::npos)
        return ModelFormat::Gltf;
    if (head.find("<COLLADA") != std::string::npos)
        return ModelFormat::Collada;
    if (head.find("FBXHeaderExtension") != std::string::npos)
        return ModelFormat::Fbx;
    if (LooksLikeObj(head))
        return ModelFormat::Obj;
    return ModelFormat::Unknown;
}

ModelFormat FormatFromName(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return ModelFormat::Unknown;
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    static const std::map<std::string, ModelFormat> kExtensions = {
        {"3ds", ModelFormat::Max3ds}, {"gltf", ModelFormat::Gltf}, {"glb", ModelFormat::Glb},
        {"obj", ModelFormat::Obj},    {"fbx", ModelFormat::Fbx},   {"dae", ModelFormat::Collada}};
    const auto found = kExtensions.find(extension);
    return found == kExtensions.end() ? ModelFormat::Unknown : found->second;
}
} // namespace

ModelFormat SniffModelFormat(const std::string& head, const std::string& name)
{
    const ModelFormat format = FormatFromContent(head);
    return format != ModelFormat::Unknown ? format : FormatFromName(name);
}

bool ContentShowsFormat(const std::string& head, ModelFormat format)
{
    return format != ModelFormat::Unknown && FormatFromContent(head) == format;
}

const char* ModelFormatName(ModelFormat format)
{
    switch (format)
    {
    case ModelFormat::Max3ds:
        return "3DS";
    case ModelFormat::Gltf:
        return "glTF";
    case ModelFormat::Glb:
        return "GLB";
    case ModelFormat::Obj:
        return "OBJ";
    case ModelFormat::Fbx:
        return "FBX";
    case ModelFormat::Collada:
        return "Collada";
    case ModelFormat::Unknown:
        break;
    }
    return "model";
}
