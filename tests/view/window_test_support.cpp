#include "window_tests.h"

#include "view/zelmora_view.h"

#include <QTest>

#include <fstream>
#include <stdexcept>

std::string WriteVideoProject(const ScratchFolder& folder, const std::string& pipeline)
{
    CZelmoraDoc doc;
    doc.OnNewDocument();
    std::string error;
    const std::string project = folder.Path("p.zel");
    if (!UseTestVideo(folder, doc, &error, pipeline) || !doc.SaveProject(project, &error))
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
