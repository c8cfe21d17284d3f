#pragma once
// Sample projects and scratch folders for the document tests.

#include "app/zelmora_doc.h"

#include <string>

// A project with several trackers, patterns with accents and one name
// Windows-1252 cannot hold, models with non-trivial matrices.
void FillSampleProject(CZelmoraDoc& doc);

// A fresh folder under the system's temporary directory, removed with the
// object. The current directory is restored too, since loading moves it.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return m_strPath + "/" + name; }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    std::string m_strPreviousDir;
};

// A 64 x 48 test-pattern video "v.cfg" (or `pipeline` instead) and a camera
// "c.dat" for it in `folder`, set as `doc`'s video and camera; false with
// the reason in *error.
constexpr const char* kTestVideoPipeline = "videotestsrc ! video/x-raw,width=64,height=48";
bool UseTestVideo(const ScratchFolder& folder, CZelmoraDoc& doc, std::string* error,
                  const std::string& pipeline = kTestVideoPipeline);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
