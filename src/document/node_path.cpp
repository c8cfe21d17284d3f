#include "document/node_path.h"

#include "document/zelmora_doc.h"
#include "project/list_position.h"

CModel3D* ModelAtPath(CZelmoraDoc& doc, const CNodePath& path)
{
    if (path.m_kind != NodeKind::Model)
        return nullptr;
    CTracker* tracker = ItemAt(doc.m_trackers, path.m_nTracker);
    return tracker ? ItemAt(tracker->m_models, path.m_nItem) : nullptr;
}
