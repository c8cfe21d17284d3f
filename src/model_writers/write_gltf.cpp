#include "model_writers/write_gltf.h"

#include "imaging/replace_file.h"

#include <nlohmann/json.hpp>

#include <cstring>

namespace
{
using nlohmann::json;

// Component types and targets from the glTF 2.0 registry.
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;
constexpr uint32_t kGlbMagic = 0x46546C67;
constexpr uint32_t kGlbVersion = 2;
constexpr uint32_t kJsonChunk = 0x4E4F534A;
constexpr uint32_t kBinChunk = 0x004E4942;
const Matrix4f kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

std::string Base64(const std::string& bytes)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t k = 0; k < bytes.size(); k += 3)
    {
        uint32_t group = uint32_t(uint8_t(bytes[k])) << 16;
        if (k + 1 < bytes.size())
            group |= uint32_t(uint8_t(bytes[k + 1])) << 8;
        if (k + 2 < bytes.size())
            group |= uint8_t(bytes[k + 2]);
        const size_t remaining = bytes.size() - k;
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += remaining > 1 ? kDigits[(group >> 6) & 63] : '=';
        out += remaining > 2 ? kDigits[group & 63] : '=';
    }
    return out;
}

std::string MimeType(const std::string& picture)
{
    return picture.compare(0, 4, "\x89PNG") == 0 ? "image/png" : "image/jpeg";
}

void PutLittle32(std::string* pOut, uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        pOut->push_back(char((value >> (8 * k)) & 0xFF));
}

class CGltfBuilder
{
  public:
    CGltfBuilder(const CMeshModel& model, GltfLayout layout) : m_model(model), m_layout(layout) {}

    json Build()
    {
        m_json = {{"asset", {{"version", "2.0"}, {"generator", "Zelmora"}}}};
        AddMaterials();
        AddMeshes();
        AddNodes();
        AddAnimation();
        for (const char* key : {"bufferViews", "accessors", "meshes", "materials", "textures",
                                "images", "animations"})
            if (m_json.contains(key) && m_json[key].empty())
                m_json.erase(key);
        return m_json;
    }

    std::string& Buffer() { return m_buffer; }

  private:
    int View(const void* data, size_t size, int target)
    {
        while (m_buffer.size() % 4)
            m_buffer.push_back('\0');
        json view = {{"buffer", 0}, {"byteOffset", m_buffer.size()}, {"byteLength", size}};
        if (target)
            view["target"] = target;
        m_buffer.append(static_cast<const char*>(data), size);
        m_json["bufferViews"].push_back(view);
        return int(m_json["bufferViews"].size()) - 1;
    }

    int Accessor(const std::vector<float>& values, int components, const char* type, int target,
                 bool bBounds)
    {
        const size_t count = values.size() / size_t(components);
        json accessor = {{"bufferView", View(values.data(), values.size() * sizeof(float), target)},
                         {"componentType", kFloat},
                         {"count", count},
                         {"type", type}};
        if (bBounds && count)
        {
            std::vector<float> low(values.begin(), values.begin() + components);
            std::vector<float> high = low;
            for (size_t k = 0; k < values.size(); ++k)
            {
                low[k % size_t(components)] = std::min(low[k % size_t(components)], values[k]);
                high[k % size_t(components)] = std::max(high[k % size_t(components)], values[k]);
            }
            accessor["min"] = low;
            accessor["max"] = high;
        }
        m_json["accessors"].push_back(accessor);
        return int(m_json["accessors"].size()) - 1;
    }

    void AddMaterials()
    {
        m_json["materials"] = json::array();
        m_json["textures"] = json::array();
        m_json["images"] = json::array();
        for (const MeshMaterial& material : m_model.materials)
        {
            json pbr = {{"baseColorFactor", material.baseColour},
                        {"metallicFactor", material.fMetallic},
                        {"roughnessFactor", material.fRoughness}};
            const auto picture = m_model.textures.find(material.strTexture);
            if (picture != m_model.textures.end())
                pbr["baseColorTexture"] = {{"index", AddTexture(picture->first, picture->second)}};
            json entry = {{"name", material.strName},
                          {"pbrMetallicRoughness", pbr},
                          {"doubleSided", material.bDoubleSided}};
            static const char* const kModes[] = {"OPAQUE", "MASK", "BLEND"};
            entry["alphaMode"] = kModes[int(material.alphaMode)];
            if (material.alphaMode == AlphaMode::Mask)
                entry["alphaCutoff"] = material.fAlphaCutoff;
            m_json["materials"].push_back(entry);
        }
    }

    int AddTexture(const std::string& key, const std::string& picture)
    {
        json image;
        if (m_layout == GltfLayout::Binary)
            image = {{"bufferView", View(picture.data(), picture.size(), 0)},
                     {"mimeType", MimeType(picture)}};
        else if (m_layout == GltfLayout::Embedded)
            image = {{"uri", "data:" + MimeType(picture) + ";base64," + Base64(picture)}};
        else
            image = {{"uri", key}};
        m_json["images"].push_back(image);
        m_json["textures"].push_back({{"source", m_json["images"].size() - 1}});
        return int(m_json["textures"].size()) - 1;
    }

    void AddMeshes()
    {
        m_json["meshes"] = json::array();
        for (const MeshData& mesh : m_model.meshes)
        {
            json attributes = {
                {"POSITION", Accessor(mesh.positions, 3, "VEC3", kArrayBuffer, true)},
                {"NORMAL", Accessor(mesh.normals, 3, "VEC3", kArrayBuffer, false)}};
            if (!mesh.uvs.empty())
                attributes["TEXCOORD_0"] = Accessor(mesh.uvs, 2, "VEC2", kArrayBuffer, false);
            m_json["accessors"].push_back(
                {{"bufferView",
                  View(mesh.indices.data(), mesh.indices.size() * sizeof(unsigned int),
                       kElementArrayBuffer)},
                 {"componentType", kUnsignedInt},
                 {"count", mesh.indices.size()},
                 {"type", "SCALAR"}});
            json primitive = {{"attributes", attributes},
                              {"indices", m_json["accessors"].size() - 1}};
            if (mesh.nMaterial >= 0)
                primitive["material"] = mesh.nMaterial;
            m_json["meshes"].push_back({{"name", mesh.strName}, {"primitives", json::array({primitive})}});
        }
    }

    // glTF gives a node one mesh; further meshes of a node go to children
    // without a transform of their own, placed after every file node.
    void AddNodes()
    {
        json nodes = json::array();
        json roots = json::array();
        json extra = json::array();
        const size_t count = m_model.nodes.size();
        for (size_t k = 0; k < count; ++k)
        {
            const MeshNode& node = m_model.nodes[k];
            json entry = {{"name", node.strName}};
            if (node.local != kIdentity)
                entry["matrix"] = node.local;
            json children = json::array();
            for (size_t c = k + 1; c < count; ++c)
                if (m_model.nodes[c].nParent == int(k))
                    children.push_back(c);
            for (size_t m = 0; m < node.meshes.size(); ++m)
            {
                if (m == 0)
                    entry["mesh"] = node.meshes[0];
                else
                {
                    children.push_back(count + extra.size());
                    extra.push_back({{"mesh", node.meshes[m]}});
                }
            }
            if (!children.empty())
                entry["children"] = children;
            if (node.nParent < 0)
                roots.push_back(k);
            nodes.push_back(entry);
        }
        for (json& node : extra)
            nodes.push_back(node);
        m_json["nodes"] = nodes;
        m_json["scenes"] = {{{"nodes", roots}}};
        m_json["scene"] = 0;
    }

    template <typename Key>
    void AddChannel(json* pAnimation, int node, const char* path, const std::vector<Key>& keys)
    {
        if (keys.empty())
            return;
        std::vector<float> times;
        std::vector<float> values;
        for (const Key& key : keys)
        {
            times.push_back(float(key.dTimeSec));
            values.insert(values.end(), key.value.begin(), key.value.end());
        }
        const int components = int(keys.front().value.size());
        const int input = Accessor(times, 1, "SCALAR", 0, true);
        const int output =
            Accessor(values, components, components == 4 ? "VEC4" : "VEC3", 0, false);
        (*pAnimation)["samplers"].push_back(
            {{"input", input}, {"output", output}, {"interpolation", "LINEAR"}});
        (*pAnimation)["channels"].push_back({{"sampler", (*pAnimation)["samplers"].size() - 1},
                                             {"target", {{"node", node}, {"path", path}}}});
    }

    void AddAnimation()
    {
        m_json["animations"] = json::array();
        if (m_model.tracks.empty())
            return;
        json animation = {{"samplers", json::array()}, {"channels", json::array()}};
        for (const NodeTrack& track : m_model.tracks)
        {
            AddChannel(&animation, track.nNode, "translation", track.translation);
            AddChannel(&animation, track.nNode, "rotation", track.rotation);
            AddChannel(&animation, track.nNode, "scale", track.scale);
        }
        m_json["animations"].push_back(animation);
    }

    const CMeshModel& m_model;
    GltfLayout m_layout;
    json m_json;
    std::string m_buffer;
};
} // namespace

std::string GltfBytes(const CMeshModel& model, GltfLayout layout, const std::string& bufferUri,
                      std::string* pBuffer)
{
    CGltfBuilder builder(model, layout);
    json gltf = builder.Build();
    std::string& buffer = builder.Buffer();
    while (buffer.size() % 4)
        buffer.push_back('\0');
    json entry = {{"byteLength", buffer.size()}};
    if (layout == GltfLayout::Embedded)
        entry["uri"] = "data:application/octet-stream;base64," + Base64(buffer);
    else if (layout == GltfLayout::Separate)
        entry["uri"] = bufferUri;
    if (!buffer.empty())
        gltf["buffers"] = json::array({entry});
    std::string text = gltf.dump();
    if (layout != GltfLayout::Binary)
    {
        if (pBuffer)
            *pBuffer = buffer;
        return text;
    }
    // Chunks are padded to 4 bytes: the JSON with spaces, the buffer with
    // zeros.
    while (text.size() % 4)
        text.push_back(' ');
    std::string glb;
    PutLittle32(&glb, kGlbMagic);
    PutLittle32(&glb, kGlbVersion);
    PutLittle32(&glb, uint32_t(12 + 8 + text.size() + (buffer.empty() ? 0 : 8 + buffer.size())));
    PutLittle32(&glb, uint32_t(text.size()));
    PutLittle32(&glb, kJsonChunk);
    glb += text;
    if (!buffer.empty())
    {
        PutLittle32(&glb, uint32_t(buffer.size()));
        PutLittle32(&glb, kBinChunk);
        glb += buffer;
    }
    return glb;
}

bool WriteGltf(const CMeshModel& model, const std::string& path, GltfLayout layout,
               std::string* pError)
{
    const size_t slash = path.find_last_of('/');
    const std::string stem = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string binName = stem.substr(0, stem.find_last_of('.')) + ".bin";
    std::string buffer;
    const std::string bytes = GltfBytes(model, layout, binName, &buffer);
    if (layout == GltfLayout::Separate &&
        !ReplaceFile(path.substr(0, path.size() - stem.size()) + binName, buffer, "glTF buffer",
                     pError))
        return false;
    return ReplaceFile(path, bytes, "glTF file", pError);
}
