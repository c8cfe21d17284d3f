#include "models/model_facts.h"

#include "models/safe_3ds_load.h"
#include "models/safe_model_load.h"

bool ReadModelFacts(const std::string& path, const std::string& directory, ModelFacts* pFacts,
                    std::string* pReason)
{
    const ModelFormat format = SniffModelFile(path);
    ModelFacts facts;
    facts.format = format;
    if (format == ModelFormat::Max3ds || format == ModelFormat::Unknown)
    {
        CLoaded3ds loaded;
        if (!LoadChecked3ds(path, directory, &loaded, pReason))
            return false;
        facts.format = ModelFormat::Max3ds;
        facts.box = Box3ds(*loaded.pFile);
    }
    else
    {
        CMeshModel model;
        if (!LoadCheckedMesh(path, directory, &model, pReason))
            return false;
        facts.box = MeshModelBox(model);
        facts.bYUp = true;
        facts.bSkinned = model.IsSkinned();
    }
    *pFacts = facts;
    return true;
}
