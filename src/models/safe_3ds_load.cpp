#include "models/safe_3ds_load.h"

#include "models/check_3ds.h"
#include "imaging/image_io.h"

#include <IL/il.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <vector>

namespace
{
bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Everything the program will later do with the file, done first where a
// crash costs nothing: parse, evaluate each frame, compute the normals,
// decode each texture.
int ProbeBody(const std::string& bytes, const std::map<std::string, std::string>& textures)
{
    Unique3dsFile file = Load3dsFromMemory(bytes);
    if (!file)
        return 2;
    for (Lib3dsIntd frame = 0; frame <= file->frames; ++frame)
        lib3ds_file_eval(file.get(), Lib3dsFloat(frame));
    for (Lib3dsMesh* mesh = file->meshes; mesh; mesh = mesh->next)
    {
        std::vector<Lib3dsVector> normals(size_t(mesh->faces) * 3 + 1);
        lib3ds_mesh_calculate_normals(mesh, normals.data());
    }
    return DecodeTexturesForProbe(textures);
}
} // namespace

int DecodeTexturesForProbe(const std::map<std::string, std::string>& textures)
{
    EnsureImageLibrary();
    for (const auto& [name, image] : textures)
    {
        TextureHeader header;
        if (!SniffImage(image, name, &header))
            return 3;
        ILuint id = 0;
        ilGenImages(1, &id);
        ilBindImage(id);
        const bool decoded = DecodeImage(image, header);
        ilDeleteImages(1, &id);
        if (!decoded)
            return 4;
    }
    return 0;
}

bool ReadWholeFile(const std::string& path, long long maxBytes, std::string* pBytes,
                   std::string* pReason)
{
    auto fail = [pReason](const std::string& reason)
    {
        if (pReason)
            *pReason = reason;
        return false;
    };
    if (!IsRegularFile(path))
        return fail("no such file");
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return fail("cannot be read");
    const std::streamoff size = in.tellg();
    if (size < 0)
        return fail("cannot be read");
    if (size > maxBytes)
        return fail("larger than " + std::to_string(maxBytes >> 20) + " MiB");
    std::string bytes(size_t(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return fail("cannot be read");
    *pBytes = std::move(bytes);
    return true;
}

std::string ResolveWindowsPath(const std::string& path)
{
    if (IsRegularFile(path) || path.find('\\') == std::string::npos)
        return path;
    std::string slashes = path;
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    return slashes;
}

bool LoadChecked3ds(const std::string& path, const std::string& directory, CLoaded3ds* pLoaded,
                    std::string* pReason, const ProbeLimits& limits)
{
    auto refuse = [pReason](const std::string& reason)
    {
        if (pReason)
            *pReason = reason;
        return false;
    };
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMax3dsFileBytes, &bytes, &reason))
        return refuse(reason);

    const C3dsCheckReport report = Check3dsBytes(bytes);
    if (!report.bPassed)
        return refuse("damaged 3DS file (" + report.strReason + ")");

    // A texture that is missing, or not a picture we accept, is left out
    // and draws as an empty texture; one that is there is decoded by the
    // probe, and a picture that breaks the decoder refuses the model.
    std::map<std::string, std::string> textures;
    for (const std::string& name : report.textureNames)
    {
        std::string image;
        if (ReadWholeFile(ResolveWindowsPath(directory + name), kMaxTextureFileBytes, &image) &&
            SniffImage(image, name, nullptr))
            textures.emplace(name, std::move(image));
    }

    const ProbeOutcome outcome = RunInChild([&] { return ProbeBody(bytes, textures); }, limits);
    if (outcome != ProbeOutcome::Passed)
        return refuse(std::string("refused 3DS file (") + DescribeProbeOutcome(outcome) + ")");

    Unique3dsFile file = Load3dsFromMemory(bytes);
    if (!file)
        return refuse("refused 3DS file (lib3ds refused it)");
    pLoaded->pFile = std::move(file);
    pLoaded->textureBytes = std::move(textures);
    return true;
}

ModelBox Box3ds(const Lib3dsFile& file)
{
    ModelBox box;
    for (const Lib3dsMesh* mesh = file.meshes; mesh; mesh = mesh->next)
        for (Lib3dsDword k = 0; k < mesh->points; ++k)
            box.Add({mesh->pointL[k].pos[0], mesh->pointL[k].pos[1], mesh->pointL[k].pos[2]});
    return box;
}
