#include "window_tests.h"

#include "cli/camera_file.h"
#include "view/zelmora_view.h"

#include <QTest>

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

bool CWindowUnderTest::Show(int width, int height)
{
    m_doc.OnNewDocument();
    m_pFrame = std::make_unique<CMainFrame>(m_doc);
    m_pFrame->resize(width, height);
    m_pFrame->show();
    if (!QTest::qWaitForWindowExposed(m_pFrame.get()))
        return false;
    m_pFrame->activateWindow();
    return QTest::qWaitForWindowActive(m_pFrame.get()) &&
           QTest::qWaitFor([this] { return m_pFrame->View()->IsReady(); });
}
