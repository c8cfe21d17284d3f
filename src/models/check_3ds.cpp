#include "models/check_3ds.h"

#include "models/chunk_reader.h"

#include <lib3ds/chunk.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>

namespace
{
// Buffer sizes lib3ds reads names into, terminator included.
constexpr size_t kNameBuffer = 64;
constexpr size_t kFileNameBuffer = 13;
constexpr size_t kChunkHeaderBytes = 6;

struct MeshCounts
{
    bool bPoints = false;
    bool bTexels = false;
    bool bFaces = false;
    uint32_t nPoints = 0;
    uint32_t nTexels = 0;
    uint32_t nFaces = 0;
    uint32_t nHighestPoint = 0; // highest point index used by a face, +1
};

struct NodeLinks
{
    uint32_t nId = 0;
    uint16_t nParent = LIB3DS_NO_PARENT;
    bool bHeader = false;
};

using Visitor = std::function<bool(uint16_t id, size_t begin, size_t end, int depth)>;

std::string Hex(uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(id));
    return text;
}

bool IsTextureMapChunk(uint16_t id)
{
    switch (id)
    {
    case LIB3DS_MAT_TEXMAP:
    case LIB3DS_MAT_TEXMASK:
    case LIB3DS_MAT_TEX2MAP:
    case LIB3DS_MAT_TEX2MASK:
    case LIB3DS_MAT_OPACMAP:
    case LIB3DS_MAT_OPACMASK:
    case LIB3DS_MAT_BUMPMAP:
    case LIB3DS_MAT_BUMPMASK:
    case LIB3DS_MAT_SPECMAP:
    case LIB3DS_MAT_SPECMASK:
    case LIB3DS_MAT_SHINMAP:
    case LIB3DS_MAT_SHINMASK:
    case LIB3DS_MAT_SELFIMAP:
    case LIB3DS_MAT_SELFIMASK:
    case LIB3DS_MAT_REFLMAP:
    case LIB3DS_MAT_REFLMASK:
        return true;
    default:
        return false;
    }
}

// Chunks that lib3ds reads as a fixed number of bytes followed by
// sub-chunks; the size is that number. Leaves are not listed.
int ContainerPrefix(uint16_t id)
{
    switch (id)
    {
    case LIB3DS_AMBIENT_LIGHT:
    case LIB3DS_SOLID_BGND:
    case LIB3DS_DEFAULT_VIEW:
    case LIB3DS_MAT_AMBIENT:
    case LIB3DS_MAT_DIFFUSE:
    case LIB3DS_MAT_SPECULAR:
    case LIB3DS_MAT_SHININESS:
    case LIB3DS_MAT_SHIN2PCT:
    case LIB3DS_MAT_TRANSPARENCY:
    case LIB3DS_MAT_XPFALL:
    case LIB3DS_MAT_REFBLUR:
    case LIB3DS_MAT_SELF_ILPCT:
        return 0;
    case LIB3DS_V_GRADIENT:
        return 4;
    case LIB3DS_FOG:
    case LIB3DS_LAYER_FOG:
    case LIB3DS_DISTANCE_CUE:
        return 16;
    case LIB3DS_VIEWPORT_LAYOUT:
        return 14;
    default:
        return -1;
    }
}

// Bytes of a key's value after its frame and flags, by track chunk.
int TrackValueBytes(uint16_t id)
{
    switch (id)
    {
    case LIB3DS_POS_TRACK_TAG:
    case LIB3DS_COL_TRACK_TAG:
    case LIB3DS_SCL_TRACK_TAG:
        return 12;
    case LIB3DS_ROT_TRACK_TAG:
        return 16;
    case LIB3DS_FOV_TRACK_TAG:
    case LIB3DS_ROLL_TRACK_TAG:
    case LIB3DS_HOT_TRACK_TAG:
    case LIB3DS_FALL_TRACK_TAG:
        return 4;
    case LIB3DS_HIDE_TRACK_TAG:
        return 0;
    case LIB3DS_MORPH_TRACK_TAG:
        return 1; // a name, at least its terminator
    default:
        return -1;
    }
}

class C3dsChecker
{
  public:
    explicit C3dsChecker(const std::string& bytes) : m_bytes(bytes) {}

    C3dsCheckReport Run()
    {
        m_report.bPassed = CheckFile() && CheckNodeLinks();
        return m_report;
    }

  private:
    bool Fail(size_t at, const std::string& reason)
    {
        if (m_report.strReason.empty())
            m_report.strReason = "byte " + std::to_string(at) + ": " + reason;
        return false;
    }

    bool CheckFile()
    {
        CChunkReader reader(m_bytes, 0, m_bytes.size());
        uint16_t id = 0;
        uint32_t size = 0;
        if (!reader.ReadU16(&id) || !reader.ReadU32(&size))
            return Fail(0, "too short for a 3DS file");
        if (id != LIB3DS_M3DMAGIC)
            return Fail(0, "not a 3DS file");
        if (size < kChunkHeaderBytes || size > m_bytes.size())
            return Fail(0, "file cut short: " + std::to_string(m_bytes.size()) + " of " +
                               std::to_string(size) + " bytes");
        return Children(kChunkHeaderBytes, size, 1,
                        [this](uint16_t child, size_t b, size_t e, int d)
                        {
                            if (child == LIB3DS_MDATA)
                                return Children(b, e, d,
                                                [this](uint16_t c, size_t b2, size_t e2, int d2)
                                                { return VisitMeshData(c, b2, e2, d2); });
                            if (child == LIB3DS_KFDATA)
                                return Children(b, e, d,
                                                [this](uint16_t c, size_t b2, size_t e2, int d2)
                                                { return VisitKeyframer(c, b2, e2, d2); });
                            return true;
                        });
    }

    // The sub-chunks of [begin, end), each visited with its data span.
    bool Children(size_t begin, size_t end, int depth, const Visitor& visit)
    {
        if (depth > kMax3dsDepth)
            return Fail(begin, "chunks nested deeper than " + std::to_string(kMax3dsDepth));
        size_t at = begin;
        while (at < end)
        {
            CChunkReader reader(m_bytes, at, end);
            uint16_t id = 0;
            uint32_t size = 0;
            if (!reader.ReadU16(&id) || !reader.ReadU32(&size))
                return Fail(at, "chunk header cut by its parent's end");
            if (size < kChunkHeaderBytes)
                return Fail(at, "chunk " + Hex(id) + " of length " + std::to_string(size));
            if (size > end - at)
                return Fail(at, "chunk " + Hex(id) + " runs past its parent");
            if (++m_nChunks > kMax3dsChunks)
                return Fail(at, "more than " + std::to_string(kMax3dsChunks) + " chunks");
            if (!visit(id, at + kChunkHeaderBytes, at + size, depth + 1))
                return false;
            at += size;
        }
        return true;
    }

    bool Leaves(size_t begin, size_t end, int depth)
    {
        return Children(begin, end, depth, [](uint16_t, size_t, size_t, int) { return true; });
    }

    bool Name(CChunkReader& reader, size_t bufferSize, uint16_t id, std::string* pName = nullptr)
    {
        if (!reader.ReadName(bufferSize, pName))
            return Fail(reader.Position(), "name in chunk " + Hex(id) +
                                               " unterminated or longer than " +
                                               std::to_string(bufferSize - 1) + " bytes");
        return true;
    }

    bool VisitMeshData(uint16_t id, size_t begin, size_t end, int depth)
    {
        CChunkReader reader(m_bytes, begin, end);
        if (id == LIB3DS_MAT_ENTRY)
            return Children(begin, end, depth,
                            [this](uint16_t c, size_t b, size_t e, int d)
                            { return VisitMaterial(c, b, e, d); });
        if (id == LIB3DS_NAMED_OBJECT)
        {
            if (!Name(reader, kNameBuffer, id))
                return false;
            return Children(reader.Position(), end, depth,
                            [this](uint16_t c, size_t b, size_t e, int d)
                            { return VisitObject(c, b, e, d); });
        }
        if (id == LIB3DS_BIT_MAP)
            return Name(reader, kNameBuffer, id);
        const int prefix = ContainerPrefix(id);
        if (prefix < 0)
            return true;
        if (!reader.Skip(size_t(prefix)))
            return Fail(begin, "chunk " + Hex(id) + " too short");
        return Leaves(reader.Position(), end, depth);
    }

    bool VisitMaterial(uint16_t id, size_t begin, size_t end, int depth)
    {
        CChunkReader reader(m_bytes, begin, end);
        if (id == LIB3DS_MAT_NAME)
            return Name(reader, kNameBuffer, id);
        if (IsTextureMapChunk(id))
            return Children(begin, end, depth,
                            [this, id](uint16_t c, size_t b, size_t e, int)
                            {
                                if (c != LIB3DS_MAT_MAPNAME)
                                    return true;
                                CChunkReader name(m_bytes, b, e);
                                std::string strName;
                                if (!Name(name, kNameBuffer, c, &strName))
                                    return false;
                                auto& names = m_report.textureNames;
                                if (id == LIB3DS_MAT_TEXMAP && !strName.empty() &&
                                    std::find(names.begin(), names.end(), strName) == names.end())
                                    names.push_back(strName);
                                return true;
                            });
        if (ContainerPrefix(id) == 0)
            return Leaves(begin, end, depth);
        return true;
    }

    bool VisitObject(uint16_t id, size_t begin, size_t end, int depth)
    {
        CChunkReader reader(m_bytes, begin, end);
        switch (id)
        {
        case LIB3DS_N_TRI_OBJECT:
            return CheckMesh(begin, end, depth);
        case LIB3DS_N_DIRECT_LIGHT:
            if (!reader.Skip(12))
                return Fail(begin, "light too short");
            return Children(reader.Position(), end, depth,
                            [this](uint16_t c, size_t b, size_t e, int d)
                            {
                                if (c != LIB3DS_DL_SPOTLIGHT)
                                    return true;
                                CChunkReader spot(m_bytes, b, e);
                                if (!spot.Skip(20))
                                    return Fail(b, "spot light too short");
                                return Children(spot.Position(), e, d,
                                                [this](uint16_t s, size_t b2, size_t e2, int)
                                                {
                                                    if (s != LIB3DS_DL_SPOT_PROJECTOR)
                                                        return true;
                                                    CChunkReader name(m_bytes, b2, e2);
                                                    return Name(name, kNameBuffer, s);
                                                });
                            });
        case LIB3DS_N_CAMERA:
            if (!reader.Skip(32))
                return Fail(begin, "camera too short");
            return Leaves(reader.Position(), end, depth);
        default:
            return true;
        }
    }

    bool CheckMesh(size_t begin, size_t end, int depth)
    {
        MeshCounts mesh;
        const bool bStructure = Children(begin, end, depth,
                                         [this, &mesh](uint16_t id, size_t b, size_t e, int d)
                                         { return VisitMeshPart(mesh, id, b, e, d); });
        if (!bStructure)
            return false;
        if (mesh.nHighestPoint > mesh.nPoints)
            return Fail(begin, "a face uses point " + std::to_string(mesh.nHighestPoint - 1) +
                                   " of " + std::to_string(mesh.nPoints));
        if (mesh.bTexels && mesh.nTexels != 0 && mesh.nTexels != mesh.nPoints)
            return Fail(begin, std::to_string(mesh.nTexels) + " texture coordinates for " +
                                   std::to_string(mesh.nPoints) + " points");
        return true;
    }

    bool CountedArray(CChunkReader& reader, uint16_t id, bool* pSeen, uint32_t* pCount,
                      size_t bytesEach)
    {
        if (*pSeen)
            return Fail(reader.Position(), "second chunk " + Hex(id) + " in one mesh");
        *pSeen = true;
        uint16_t count = 0;
        if (!reader.ReadU16(&count) || reader.Remaining() < size_t(count) * bytesEach)
            return Fail(reader.Position(), "chunk " + Hex(id) + " shorter than its count");
        *pCount = count;
        return reader.Skip(size_t(count) * bytesEach);
    }

    bool VisitMeshPart(MeshCounts& mesh, uint16_t id, size_t begin, size_t end, int depth)
    {
        CChunkReader reader(m_bytes, begin, end);
        switch (id)
        {
        case LIB3DS_POINT_ARRAY:
            return CountedArray(reader, id, &mesh.bPoints, &mesh.nPoints, 12);
        case LIB3DS_TEX_VERTS:
            return CountedArray(reader, id, &mesh.bTexels, &mesh.nTexels, 8);
        case LIB3DS_FACE_ARRAY:
        {
            const size_t first = begin + 2;
            if (!CountedArray(reader, id, &mesh.bFaces, &mesh.nFaces, 8))
                return false;
            CChunkReader faces(m_bytes, first, end);
            for (uint32_t k = 0; k < mesh.nFaces * 4; ++k)
            {
                uint16_t value = 0;
                faces.ReadU16(&value);
                if (k % 4 != 3)
                    mesh.nHighestPoint = std::max(mesh.nHighestPoint, uint32_t(value) + 1);
            }
            return Children(reader.Position(), end, depth,
                            [this, &mesh](uint16_t c, size_t b, size_t e, int)
                            { return VisitFacePart(mesh, c, b, e); });
        }
        default:
            return true;
        }
    }

    bool VisitFacePart(const MeshCounts& mesh, uint16_t id, size_t begin, size_t end)
    {
        CChunkReader reader(m_bytes, begin, end);
        if (id == LIB3DS_SMOOTH_GROUP)
        {
            if (reader.Remaining() < size_t(mesh.nFaces) * 4)
                return Fail(begin, "smoothing groups for fewer faces than the mesh has");
            return true;
        }
        if (id == LIB3DS_MSH_BOXMAP)
        {
            for (int k = 0; k < 6; ++k)
                if (!Name(reader, kNameBuffer, id))
                    return false;
            return true;
        }
        if (id != LIB3DS_MSH_MAT_GROUP)
            return true;
        uint16_t count = 0;
        if (!Name(reader, kNameBuffer, id) || !reader.ReadU16(&count) ||
            reader.Remaining() < size_t(count) * 2)
            return Fail(begin, "material group shorter than its count");
        for (uint16_t k = 0; k < count; ++k)
        {
            uint16_t face = 0;
            reader.ReadU16(&face);
            if (face >= mesh.nFaces)
                return Fail(begin, "material group names face " + std::to_string(face) + " of " +
                                       std::to_string(mesh.nFaces));
        }
        return true;
    }

    bool VisitKeyframer(uint16_t id, size_t begin, size_t end, int depth)
    {
        CChunkReader reader(m_bytes, begin, end);
        if (id == LIB3DS_KFHDR)
        {
            uint16_t revision = 0;
            uint32_t frames = 0;
            if (!reader.ReadU16(&revision) || !Name(reader, kFileNameBuffer, id) ||
                !reader.ReadU32(&frames))
                return Fail(begin, "keyframer header too short");
            if (int32_t(frames) < 0 || long(frames) > kMax3dsFrames)
                return Fail(begin, "frame count " + std::to_string(int32_t(frames)));
            return true;
        }
        if (id < LIB3DS_AMBIENT_NODE_TAG || id > LIB3DS_SPOTLIGHT_NODE_TAG)
            return true;
        NodeLinks node;
        node.nId = uint32_t(m_nodes.size());
        const bool ok = Children(begin, end, depth,
                                 [this, &node](uint16_t c, size_t b, size_t e, int)
                                 { return VisitNodePart(node, c, b, e); });
        if (!ok)
            return false;
        // Without its header lib3ds leaves the parent id 0, so a node 0
        // without one is its own parent and lib3ds recurses without end.
        if (!node.bHeader)
            return Fail(begin, "keyframer node without its header chunk");
        m_nodes.push_back(node);
        return true;
    }

    bool VisitNodePart(NodeLinks& node, uint16_t id, size_t begin, size_t end)
    {
        CChunkReader reader(m_bytes, begin, end);
        if (id == LIB3DS_NODE_ID)
        {
            uint16_t value = 0;
            if (!reader.ReadU16(&value))
                return Fail(begin, "node id too short");
            node.nId = value;
            return true;
        }
        if (id == LIB3DS_NODE_HDR)
        {
            if (!Name(reader, kNameBuffer, id) || !reader.Skip(4) || !reader.ReadU16(&node.nParent))
                return Fail(begin, "node header too short");
            node.bHeader = true;
            return true;
        }
        if (id == LIB3DS_INSTANCE_NAME)
            return Name(reader, kNameBuffer, id);
        const int valueBytes = TrackValueBytes(id);
        return valueBytes < 0 || CheckTrack(reader, id, valueBytes);
    }

    // A key is a frame, a flag word, one float for each tension, continuity,
    // bias and ease flag, then the value. The count must fit what follows,
    // so a damaged count cannot keep lib3ds allocating keys.
    bool CheckTrack(CChunkReader& reader, uint16_t id, int valueBytes)
    {
        uint32_t keys = 0;
        if (!reader.Skip(2 + 8) || !reader.ReadU32(&keys))
            return Fail(reader.Position(), "track " + Hex(id) + " too short");
        const size_t smallestKey = 6 + size_t(valueBytes);
        if (int32_t(keys) < 0 || size_t(keys) > reader.Remaining() / smallestKey)
            return Fail(reader.Position(),
                        "track " + Hex(id) + " claims " + std::to_string(keys) + " keys");
        for (uint32_t k = 0; k < keys; ++k)
        {
            uint16_t flags = 0;
            if (!reader.Skip(4) || !reader.ReadU16(&flags) ||
                !reader.Skip(4 * std::bitset<5>(flags & 0x1F).count()))
                return Fail(reader.Position(), "key " + std::to_string(k) + " cut short");
            const bool bValue = id == LIB3DS_MORPH_TRACK_TAG ? reader.ReadName(kNameBuffer, nullptr)
                                                             : reader.Skip(size_t(valueBytes));
            if (!bValue)
                return Fail(reader.Position(), "key " + std::to_string(k) + " cut short");
        }
        return true;
    }

    // lib3ds links each node under the node whose id its header names and
    // walks those links recursively, so a cycle recurses without end.
    bool CheckNodeLinks()
    {
        std::map<uint32_t, size_t> byId;
        for (size_t k = 0; k < m_nodes.size(); ++k)
            if (!byId.emplace(m_nodes[k].nId, k).second)
                return Fail(0, "two keyframer nodes with id " + std::to_string(m_nodes[k].nId));
        // Each node is walked up to a root or to a node whose depth is
        // known; meeting the current walk again is a cycle. Depth is bounded
        // too, since drawing walks the tree recursively.
        constexpr size_t kUnknown = 0;
        constexpr size_t kOnPath = size_t(-1);
        std::vector<size_t> depths(m_nodes.size(), kUnknown);
        for (size_t start = 0; start < m_nodes.size(); ++start)
        {
            std::vector<size_t> path;
            size_t current = start;
            size_t above = 0;
            while (depths[current] == kUnknown)
            {
                depths[current] = kOnPath;
                path.push_back(current);
                auto parent = byId.find(m_nodes[current].nParent);
                if (m_nodes[current].nParent == LIB3DS_NO_PARENT || parent == byId.end())
                    break;
                current = parent->second;
                if (depths[current] == kOnPath)
                    return Fail(0, "keyframer node " + std::to_string(m_nodes[current].nId) +
                                       " is its own ancestor");
                above = depths[current] == kUnknown ? 0 : depths[current];
            }
            for (auto node = path.rbegin(); node != path.rend(); ++node)
                depths[*node] = ++above;
            if (above > kMax3dsNodeDepth)
                return Fail(0, "keyframer nodes nested deeper than " +
                                   std::to_string(kMax3dsNodeDepth));
        }
        return true;
    }

    const std::string& m_bytes;
    C3dsCheckReport m_report;
    size_t m_nChunks = 0;
    std::vector<NodeLinks> m_nodes;
};
} // namespace

C3dsCheckReport Check3dsBytes(const std::string& bytes)
{
    return C3dsChecker(bytes).Run();
}
