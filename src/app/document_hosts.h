#pragma once
// What the document needs from the windows around it. The GUI implements
// these; the command line and tests run without them (null).

// The navigator bar's tree of trackers, patterns and models.
class CNavigatorHost
{
public:
    virtual ~CNavigatorHost() = default;
    virtual void RefreshTree() = 0;
};

// The editor view that draws the project and the live run.
class CDocumentView
{
public:
    virtual ~CDocumentView() = default;
};
