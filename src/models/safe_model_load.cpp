#include "models/safe_model_load.h"

#include "models/safe_3ds_load.h"
#include "imaging/image_io.h"

#include <cstring>
#include <fstream>

namespace
{
// A GLB file: a 12-byte header (magic, version, total length), then chunks
// of an 8-byte header (length, type) and a body padded to 4 bytes, the
// first of them JSON.
constexpr size_t kGlbHeaderBytes = 12;
constexpr size_t kGlbChunkHeaderBytes = 8;
constexpr uint32_t kGlbVersion = 2;
constexpr uint32_t kGlbJsonChunk = 0x4E4F534A;
// Enough of a file to tell its format.
constexpr std::streamsize kSniffBytes = 4096;

uint32_t ReadLittle32(const std::string& bytes, size_t offset)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// assimp trusts the lengths in a GLB header; every chunk must lie inside
// the file, and the file must be as long as it says.
bool CheckGlb(const std::string& bytes, std::string* pReason)
{
    if (bytes.size() < kGlbHeaderBytes + kGlbChunkHeaderBytes)
        return (*pReason = "cut short in its header", false);
    if (ReadLittle32(bytes, 4) != kGlbVersion)
        return (*pReason = "version " + std::to_string(ReadLittle32(bytes, 4)) + ", not 2", false);
    if (ReadLittle32(bytes, 8) != bytes.size())
        return (*pReason = "length " + std::to_string(ReadLittle32(bytes, 8)) + " in its header, " +
                           std::to_string(bytes.size()) + " on disk",
                false);
    size_t offset = kGlbHeaderBytes;
    for (int chunk = 0; offset < bytes.size(); ++chunk)
    {
        if (bytes.size() - offset < kGlbChunkHeaderBytes)
            return (*pReason = "cut short at byte " + std::to_string(offset), false);
        const uint64_t length = ReadLittle32(bytes, offset);
        if (chunk == 0 && ReadLittle32(bytes, offset + 4) != kGlbJsonChunk)
            return (*pReason = "its first chunk is not JSON", false);
        if (length > bytes.size() - offset - kGlbChunkHeaderBytes)
            return (*pReason = "chunk at byte " + std::to_string(offset) + " runs past the end",
                    false);
        offset += kGlbChunkHeaderBytes + size_t(length);
    }
    return true;
}

bool CheckContent(const std::string& bytes, ModelFormat format, std::string* pReason)
{
    if (!ContentShowsFormat(bytes, format))
        return (*pReason = "its content is not " + std::string(ModelFormatName(format)), false);
    return format != ModelFormat::Glb || CheckGlb(bytes, pReason);
}

// Reads the pictures the materials name from the model's folder, beside
// the ones stored in the file; a missing or unaccepted picture is left out
// and its material draws untextured.
void GatherTextures(const std::string& directory, CMeshModel* pModel)
{
    for (MeshMaterial& material : pModel->materials)
    {
        if (material.strTexture.empty())
            continue;
        auto stored = pModel->textures.find(material.strTexture);
        if (stored == pModel->textures.end())
        {
            std::string image;
            if (material.strTexture[0] != '*' &&
                ReadWholeFile(ResolveWindowsPath(directory + material.strTexture),
                              kMaxTextureFileBytes, &image))
                stored = pModel->textures.emplace(material.strTexture, std::move(image)).first;
        }
        if (stored != pModel->textures.end() && !SniffImage(stored->second, stored->first, nullptr))
            pModel->textures.erase(stored);
        if (!pModel->textures.count(material.strTexture))
            material.strTexture.clear();
    }
}

} // namespace

ModelFormat SniffModelFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string head(size_t(kSniffBytes), '\0');
    in.read(head.data(), kSniffBytes);
    head.resize(size_t(in.gcount()));
    return SniffModelFormat(head, path);
}

bool LoadCheckedMesh(const std::string& path, const std::string& directory, CMeshModel* pModel,
                     std::string* pReason, const ProbeLimits& limits)
{
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMax3dsFileBytes, &bytes, &reason))
        return (*pReason = reason, false);
    const ModelFormat format = SniffModelFormat(bytes, path);
    if (format == ModelFormat::Unknown || format == ModelFormat::Max3ds)
        return (*pReason = "not a glTF, GLB, OBJ, FBX or Collada file", false);
    const std::string name = ModelFormatName(format);
    if (!CheckContent(bytes, format, &reason))
        return (*pReason = "damaged " + name + " file (" + reason + ")", false);

    const ProbeOutcome imported = RunInChild(
        [&]
        {
            CMeshModel probed;
            std::string ignored;
            return ImportWithAssimp(path, bytes, format, &probed, &ignored) ? 0 : 2;
        },
        limits);
    // A clean refusal in the child is assimp's own, and the same import
    // refuses as cleanly here; only here can its reason be read.
    if (imported == ProbeOutcome::Failed)
    {
        CMeshModel refused;
        ImportWithAssimp(path, bytes, format, &refused, &reason);
        return (*pReason = "damaged " + name + " file (" + reason + ")", false);
    }
    if (imported != ProbeOutcome::Passed)
        return (*pReason = "refused " + name + " file (" + DescribeProbeOutcome(imported) + ")",
                false);

    CMeshModel model;
    if (!ImportWithAssimp(path, bytes, format, &model, &reason))
        return (*pReason = "damaged " + name + " file (" + reason + ")", false);
    GatherTextures(directory, &model);
    const ProbeOutcome decoded =
        RunInChild([&] { return DecodeTexturesForProbe(model.textures); }, limits);
    if (decoded != ProbeOutcome::Passed)
        return (*pReason =
                    "refused " + name + " file (a texture: " + DescribeProbeOutcome(decoded) + ")",
                false);
    *pModel = std::move(model);
    return true;
}
