#include "support/project_fixture.h"

#include "formats/camera_file.h"

#include <fstream>

void FillSampleProject(CZelmoraDoc& doc)
{
    doc.OnNewDocument();
    doc.m_settings.m_strVideoConfig = "cámara.cfg";
    doc.m_settings.m_strCameraParam = "camera_para.dat";
    doc.m_settings.m_bAutoThreshold = false;
    doc.m_settings.m_nThreshold = 117;
    doc.m_settings.m_bSingleView = false;
    doc.m_settings.m_nViewZoom = 3;

    const char* trackerNames[] = {"Coche", "Señal de tráfico", "Marca Ω"};
    for (int t = 0; t < 3; ++t)
    {
        CTracker tracker;
        tracker.m_strName = trackerNames[t];
        for (int p = 0; p <= t; ++p)
        {
            CPattern pattern;
            pattern.m_strName = "Patrón " + std::to_string(p);
            pattern.m_strFile = "patt." + std::to_string(t * 10 + p);
            pattern.m_nWidth = 40 + 20 * p;
            pattern.m_nFrames = 5 + p;
            pattern.m_fTolerance = 0.5f + p;
            tracker.m_patterns.push_back(pattern);
        }
        tracker.SetReferenceIndex(t == 2 ? 99 : t);
        for (int m = 0; m < t; ++m)
        {
            CModel3D model;
            model.m_strName = "Modelo " + std::to_string(m);
            model.m_strFile = "modelo" + std::to_string(m) + ".3ds";
            for (int k = 0; k < 16; ++k)
                model.m_matrix.GetData()[k] = k * 0.1 - m;
            tracker.m_models.push_back(model);
        }
        doc.m_trackers.push_back(tracker);
    }
}

bool UseTestVideo(const ScratchFolder& folder, CZelmoraDoc& doc, std::string* error,
                  const std::string& pipeline)
{
    std::ofstream(folder.Path("v.cfg")) << pipeline << "\n";
    if (!WriteCameraParamFile(folder.Path("c.dat"), IdealPinholeCamera(64, 48, 60.0, 32.0, 24.0),
                              error))
        return false;
    doc.m_settings.m_strVideoConfig = "v.cfg";
    doc.m_settings.m_strCameraParam = "c.dat";
    return true;
}
