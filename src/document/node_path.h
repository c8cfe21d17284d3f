#pragma once
// Where a node of the project tree sits in the project: what it is and its
// list positions, never a pointer, so a path cannot outlive its object. The
// navigator shows nodes by their kind; the project editor acts on paths.

class CModel3D;
class CZelmoraDoc;

enum class NodeKind
{
    None = -1,
    Project = 0,
    Tracker = 1,
    Pattern = 2,
    Model = 3,
};

// List positions, -1 where they do not apply.
struct CNodePath
{
    NodeKind m_kind = NodeKind::None;
    int m_nTracker = -1;
    int m_nItem = -1; // the pattern's or the model's position in its tracker
};

// The model a path leads to in the document, or null when it leads to none.
CModel3D* ModelAtPath(CZelmoraDoc& doc, const CNodePath& path);
