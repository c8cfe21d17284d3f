#include "models/assimp_import.h"

#include "models/bounded_io_system.h"

#include <assimp/GltfMaterial.h>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <map>

namespace
{
// Triangles only: points and lines have no faces to draw. Normals are
// generated where the file has none, so every mesh lights alike.
constexpr unsigned int kImportSteps = aiProcess_Triangulate | aiProcess_SortByPType |
                                      aiProcess_GenSmoothNormals | aiProcess_ValidateDataStructure;
// assimp reports no rate for some files; glTF's own unit is the second.
constexpr double kDefaultTicksPerSecond = 25.0;

class CSceneCopier
{
  public:
    CSceneCopier(const aiScene& scene, const MeshLimits& limits, CMeshModel* pModel)
        : m_scene(scene), m_limits(limits), m_model(*pModel)
    {
    }

    bool Copy(std::string* pReason)
    {
        if (!CopyNode(*m_scene.mRootNode, -1, 0) || !CopyMeshes() || !CopyMaterials() ||
            !CopyAnimation())
        {
            *pReason = m_strReason;
            return false;
        }
        return true;
    }

  private:
    bool Fail(const std::string& reason)
    {
        m_strReason = reason;
        return false;
    }

    bool CopyNode(const aiNode& node, int nParent, int nDepth)
    {
        if (nDepth > m_limits.nMaxDepth)
            return Fail("node tree deeper than " + std::to_string(m_limits.nMaxDepth));
        if (int(m_model.nodes.size()) >= m_limits.nMaxNodes)
            return Fail("more than " + std::to_string(m_limits.nMaxNodes) + " nodes");
        const int index = int(m_model.nodes.size());
        MeshNode copy;
        copy.strName = node.mName.C_Str();
        copy.nParent = nParent;
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 4; ++column)
                copy.local[size_t(column * 4 + row)] = node.mTransformation[row][column];
        for (unsigned int k = 0; k < node.mNumMeshes; ++k)
        {
            if (node.mMeshes[k] >= m_scene.mNumMeshes)
                return Fail("node '" + copy.strName + "' names a mesh past the last");
            copy.meshes.push_back(int(node.mMeshes[k]));
        }
        m_nodeByName.emplace(copy.strName, index);
        m_model.nodes.push_back(std::move(copy));
        for (unsigned int k = 0; k < node.mNumChildren; ++k)
            if (!CopyNode(*node.mChildren[k], index, nDepth + 1))
                return false;
        return true;
    }

    bool CopyMeshes()
    {
        long long vertices = 0;
        long long triangles = 0;
        for (unsigned int m = 0; m < m_scene.mNumMeshes; ++m)
        {
            const aiMesh& mesh = *m_scene.mMeshes[m];
            vertices += mesh.mNumVertices;
            triangles += mesh.mNumFaces;
            if (vertices > m_limits.nMaxVertices || triangles > m_limits.nMaxTriangles)
                return Fail("more than " + std::to_string(m_limits.nMaxTriangles) +
                            " triangles or vertices");
            MeshData copy;
            copy.strName = mesh.mName.C_Str();
            copy.nMaterial =
                mesh.mMaterialIndex < m_scene.mNumMaterials ? int(mesh.mMaterialIndex) : -1;
            copy.bSkinned = mesh.HasBones();
            copy.positions.reserve(size_t(mesh.mNumVertices) * 3);
            for (unsigned int v = 0; v < mesh.mNumVertices; ++v)
            {
                const aiVector3D& p = mesh.mVertices[v];
                copy.positions.insert(copy.positions.end(), {p.x, p.y, p.z});
                const aiVector3D n = mesh.HasNormals() ? mesh.mNormals[v] : aiVector3D(0, 0, 1);
                copy.normals.insert(copy.normals.end(), {n.x, n.y, n.z});
                if (mesh.HasTextureCoords(0))
                    copy.uvs.insert(copy.uvs.end(),
                                    {mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y});
            }
            copy.indices.reserve(size_t(mesh.mNumFaces) * 3);
            for (unsigned int f = 0; f < mesh.mNumFaces; ++f)
            {
                const aiFace& face = mesh.mFaces[f];
                if (face.mNumIndices != 3)
                    continue;
                for (int corner = 0; corner < 3; ++corner)
                {
                    if (face.mIndices[corner] >= mesh.mNumVertices)
                        return Fail("mesh '" + copy.strName + "' has a face past its vertices");
                    copy.indices.push_back(face.mIndices[corner]);
                }
            }
            m_model.meshes.push_back(std::move(copy));
        }
        return true;
    }

    bool CopyMaterials()
    {
        for (unsigned int m = 0; m < m_scene.mNumMaterials; ++m)
        {
            const aiMaterial& material = *m_scene.mMaterials[m];
            MeshMaterial copy;
            copy.strName = material.GetName().C_Str();
            aiColor4D colour(1, 1, 1, 1);
            if (material.Get(AI_MATKEY_BASE_COLOR, colour) != AI_SUCCESS)
                material.Get(AI_MATKEY_COLOR_DIFFUSE, colour);
            float opacity = 1.0f;
            if (m_model.format != ModelFormat::Gltf && m_model.format != ModelFormat::Glb &&
                material.Get(AI_MATKEY_OPACITY, opacity) == AI_SUCCESS)
                colour.a *= opacity;
            copy.baseColour = {colour.r, colour.g, colour.b, colour.a};

            aiString alphaMode;
            if (material.Get(AI_MATKEY_GLTF_ALPHAMODE, alphaMode) == AI_SUCCESS)
                copy.alphaMode = alphaMode == aiString("MASK")    ? AlphaMode::Mask
                                 : alphaMode == aiString("BLEND") ? AlphaMode::Blend
                                                                  : AlphaMode::Opaque;
            else if (colour.a < 1.0f)
                copy.alphaMode = AlphaMode::Blend;
            material.Get(AI_MATKEY_GLTF_ALPHACUTOFF, copy.fAlphaCutoff);
            int twoSided = 0;
            if (material.Get(AI_MATKEY_TWOSIDED, twoSided) == AI_SUCCESS)
                copy.bDoubleSided = twoSided != 0;
            material.Get(AI_MATKEY_METALLIC_FACTOR, copy.fMetallic);
            material.Get(AI_MATKEY_ROUGHNESS_FACTOR, copy.fRoughness);

            aiString texture;
            if (material.GetTexture(aiTextureType_BASE_COLOR, 0, &texture) == AI_SUCCESS ||
                material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS)
            {
                copy.strTexture = texture.C_Str();
                CopyEmbeddedPicture(copy.strTexture);
            }
            m_model.materials.push_back(std::move(copy));
        }
        return true;
    }

    // Pictures stored inside the file (GLB buffers, data URIs, FBX) arrive
    // as their compressed bytes; the rare raw texel arrays are left out.
    void CopyEmbeddedPicture(const std::string& name)
    {
        const aiTexture* pTexture = m_scene.GetEmbeddedTexture(name.c_str());
        if (pTexture && pTexture->mHeight == 0 && pTexture->pcData)
            m_model.textures[name] =
                std::string(reinterpret_cast<const char*>(pTexture->pcData), pTexture->mWidth);
    }

    bool CopyAnimation()
    {
        if (m_scene.mNumAnimations == 0)
            return true;
        const aiAnimation& animation = *m_scene.mAnimations[0];
        const double ticksPerSecond =
            animation.mTicksPerSecond > 0.0 ? animation.mTicksPerSecond : kDefaultTicksPerSecond;
        m_model.dDurationSec = animation.mDuration / ticksPerSecond;
        long long keys = 0;
        for (unsigned int c = 0; c < animation.mNumChannels; ++c)
        {
            const aiNodeAnim& channel = *animation.mChannels[c];
            const auto node = m_nodeByName.find(channel.mNodeName.C_Str());
            if (node == m_nodeByName.end())
                continue;
            keys += (long long)channel.mNumPositionKeys + channel.mNumRotationKeys +
                    channel.mNumScalingKeys;
            if (keys > m_limits.nMaxKeys)
                return Fail("more than " + std::to_string(m_limits.nMaxKeys) + " animation keys");
            NodeTrack track;
            track.nNode = node->second;
            for (unsigned int k = 0; k < channel.mNumPositionKeys; ++k)
            {
                const aiVectorKey& key = channel.mPositionKeys[k];
                track.translation.push_back(
                    {key.mTime / ticksPerSecond, {key.mValue.x, key.mValue.y, key.mValue.z}});
            }
            for (unsigned int k = 0; k < channel.mNumRotationKeys; ++k)
            {
                const aiQuatKey& key = channel.mRotationKeys[k];
                track.rotation.push_back(
                    {key.mTime / ticksPerSecond,
                     {key.mValue.x, key.mValue.y, key.mValue.z, key.mValue.w}});
            }
            for (unsigned int k = 0; k < channel.mNumScalingKeys; ++k)
            {
                const aiVectorKey& key = channel.mScalingKeys[k];
                track.scale.push_back(
                    {key.mTime / ticksPerSecond, {key.mValue.x, key.mValue.y, key.mValue.z}});
            }
            m_model.tracks.push_back(std::move(track));
        }
        return true;
    }

    const aiScene& m_scene;
    const MeshLimits& m_limits;
    CMeshModel& m_model;
    std::map<std::string, int> m_nodeByName;
    std::string m_strReason;
};
} // namespace

bool ImportWithAssimp(const std::string& path, const std::string& bytes, ModelFormat format,
                      CMeshModel* pModel, std::string* pReason, const MeshLimits& limits)
{
    Assimp::Importer importer;
    auto* pIo = new CBoundedIOSystem(path, bytes, limits.nMaxSideFileBytes);
    importer.SetIOHandler(pIo);
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                                aiPrimitiveType_POINT | aiPrimitiveType_LINE);
    const aiScene* pScene = importer.ReadFile(path, kImportSteps);
    if (!pScene || !pScene->mRootNode || (pScene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
    {
        *pReason = pIo->LastRefusal().empty() ? importer.GetErrorString() : pIo->LastRefusal();
        if (pReason->empty())
            *pReason = "no scene in it";
        return false;
    }
    pModel->format = format;
    return CSceneCopier(*pScene, limits, pModel).Copy(pReason);
}
