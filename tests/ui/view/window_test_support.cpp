#include "window_tests.h"

#include "ui/view/zelmora_view.h"

#include <QTest>

#include <fstream>
#include <stdexcept>

namespace
{
// A machine busy with builds takes seconds to map and activate a window;
// the default of five was seen to run out.
constexpr int kShowTimeoutMs = 20000;
constexpr int kColourTolerance = 4;
} // namespace

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
    if (!QTest::qWaitForWindowExposed(m_pFrame.get(), kShowTimeoutMs))
        return false;
    m_pFrame->activateWindow();
    return QTest::qWaitForWindowActive(m_pFrame.get(), kShowTimeoutMs) &&
           QTest::qWaitFor([this] { return m_pFrame->View()->IsReady(); }, kShowTimeoutMs);
}

QPoint InQuadrant(const CGlRect& rect, int height, double right, double up)
{
    return QPoint(rect.left + int((right + 1.0) / 2.0 * rect.Width()),
                  height - 1 - (rect.bottom + int((up + 1.0) / 2.0 * rect.Height())));
}

bool Near(QColor seen, QColor expected)
{
    return std::abs(seen.red() - expected.red()) <= kColourTolerance &&
           std::abs(seen.green() - expected.green()) <= kColourTolerance &&
           std::abs(seen.blue() - expected.blue()) <= kColourTolerance;
}

bool CWindowTest::SaveReadmePicture(const char* name)
{
    const QString folder = qEnvironmentVariable("ZELMORA_README_PICTURES");
    return folder.isEmpty() || Frame()->Snapshot().save(folder + "/" + name);
}
