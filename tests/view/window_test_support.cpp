#include "app/zelmora_doc.h"
#include "cli/camera_file.h"
#include "window_tests.h"

#include <fstream>
#include <stdexcept>

std::string WriteVideoProject(const ScratchFolder& folder, const std::string& pipeline)
{
    std::ofstream(folder.Path("v.cfg")) << pipeline << "\n";
    std::string error;
    if (!WriteCameraParamFile(folder.Path("c.dat"), IdealPinholeCamera(64, 48, 60.0, 32.0, 24.0),
                              &error))
        throw std::runtime_error(error);
    CZelmoraDoc doc;
    doc.OnNewDocument();
    doc.m_strVideoConfig = "v.cfg";
    doc.m_strCameraParam = "c.dat";
    const std::string project = folder.Path("p.zel");
    if (!doc.SaveProject(project, &error))
        throw std::runtime_error(error);
    return project;
}
