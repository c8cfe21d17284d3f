// The editor view as a person sees it: where each area sits, what the
// orthographic views show, and the live area with and without a run.
#include "app/zelmora_doc.h"
#include "model/write_3ds.h"
#include "view/model_selection.h"
#include "view/viewport_layout.h"
#include "view/zelmora_view.h"
#include "window_tests.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(CGlRect)

namespace
{
constexpr int kViewSide = 300;
const QColor kClearColour(51, 51, 51); // 0.2 grey

class FixedSelection : public CModelSelection
{
  public:
    CModel3D* GetSelectedModel() override { return m_pModel; }
    CModel3D* m_pModel = nullptr;
};
} // namespace

class ViewTest : public QObject
{
    Q_OBJECT

  private:
    // The pixel at (right, up) in -1..1 units of a quadrant's own square.
    QColor At(const QImage& image, const CGlRect& rect, double right, double up)
    {
        return image.pixelColor(InQuadrant(rect, image.height(), right, up));
    }

    // Lines are two pixels wide: look a couple of pixels around the point.
    bool SeenNear(const QImage& image, const CGlRect& rect, double right, double up, QColor colour)
    {
        const QPoint point = InQuadrant(rect, image.height(), right, up);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (Near(image.pixelColor(point + QPoint(dx, dy)), colour))
                    return true;
        return false;
    }

    QImage Draw() { return m_pView->Render(); }

    const CGlRect& Quadrant(int column, int row)
    {
        return m_pView->Layout().quadrants[column][row];
    }

    std::unique_ptr<ScratchFolder> m_pFolder;
    std::unique_ptr<RecordingMessages> m_pMessages;
    std::unique_ptr<CZelmoraDoc> m_pDoc;
    std::unique_ptr<CZelmoraView> m_pView;
    FixedSelection m_selection;

  private slots:
    void init()
    {
        m_pFolder = std::make_unique<ScratchFolder>();
        m_pMessages = std::make_unique<RecordingMessages>();
        m_pDoc = std::make_unique<CZelmoraDoc>();
        m_pDoc->OnNewDocument();
        m_pView = std::make_unique<CZelmoraView>(*m_pDoc);
        m_pDoc->SetView(m_pView.get());
        m_pView->SetSelection(&m_selection);
        m_pView->resize(kViewSide, kViewSide);
        m_pView->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
        QTRY_VERIFY(m_pView->IsReady());
    }

    void cleanup()
    {
        m_pDoc->OnStopCapture();
        m_pView->MakeCurrent();
        m_pDoc->m_trackers.clear();
        m_pDoc->SetView(nullptr);
        m_pView.reset();
        m_pDoc.reset();
        m_pMessages.reset();
        m_pFolder.reset();
        m_selection.m_pModel = nullptr;
    }

    void layoutLetterboxesTheVideo_data()
    {
        QTest::addColumn<int>("cx");
        QTest::addColumn<int>("cy");
        QTest::addColumn<int>("frameWidth");
        QTest::addColumn<int>("frameHeight");
        QTest::addColumn<CGlRect>("letterbox");
        QTest::newRow("no video: the whole area")
            << 800 << 500 << 0 << 0 << CGlRect{0, 0, 800, 500};
        QTest::newRow("320 x 240 in 800 x 500")
            << 800 << 500 << 320 << 240 << CGlRect{67, 0, 733, 500};
        QTest::newRow("zero height counts as one") << 800 << 0 << 0 << 0 << CGlRect{0, 0, 800, 1};
        // 35 / (7 / 3) falls just short of 15 in doubles: only the
        // width-limited branch truncates to 14.
        QTest::newRow("a tie takes the width") << 35 << 15 << 7 << 3 << CGlRect{0, 0, 35, 14};
    }

    void layoutLetterboxesTheVideo()
    {
        QFETCH(int, cx);
        QFETCH(int, cy);
        QFETCH(int, frameWidth);
        QFETCH(int, frameHeight);
        QFETCH(CGlRect, letterbox);
        const CViewportLayout layout = LayoutViewports(cx, cy, frameWidth, frameHeight);
        QVERIFY(layout.letterbox == letterbox);
    }

    void quadrantsLeaveAGapOfSixPixels()
    {
        const CViewportLayout layout = LayoutViewports(800, 500, 320, 240);
        QVERIFY((layout.quadrants[0][0] == CGlRect{67, 253, 397, 500}));
        QVERIFY((layout.quadrants[1][0] == CGlRect{403, 253, 733, 500}));
        QVERIFY((layout.quadrants[0][1] == CGlRect{67, 0, 397, 247}));
        QVERIFY((layout.quadrants[1][1] == CGlRect{403, 0, 733, 247}));
    }

    void singleViewWithoutARunShowsOnlyTheClearColour()
    {
        const QImage image = Draw();
        for (QPoint point : {QPoint(5, 5), QPoint(150, 150), QPoint(290, 290)})
            QVERIFY(Near(image.pixelColor(point), kClearColour));
    }

    void orthographicViewsShowGridAxesAndTheSelectedModel()
    {
        m_pDoc->m_bSingleView = false;
        QImage image = Draw();
        const CGlRect& front = Quadrant(0, 0);
        QVERIFY2(SeenNear(image, front, 0.5, 0.0, Qt::red), "X to the right, red");
        QVERIFY2(SeenNear(image, front, 0.0, 0.5, Qt::green), "Z up, green in the front view");
        QVERIFY2(SeenNear(image, Quadrant(0, 1), 0.0, 0.5, Qt::blue), "Y up in the top view");
        QVERIFY2(!SeenNear(image, front, -0.5, 0.0, Qt::red), "nothing to the left");
        QVERIFY2(Near(At(image, Quadrant(1, 1), 0.0, 0.0), kClearColour), "no run: no video");
        QVERIFY(Near(At(image, front, 0.3, 0.3), kClearColour));

        // A blue square in the XZ plane, facing the front view.
        Model3dsSpec scene;
        scene.materials = {PlainMaterial("Blue", {0.0f, 0.0f, 1.0f})};
        scene.meshes = {SquareMesh("Square", {0.0f, 0.0f, 0.0f}, 0.5f, 0, 2, "Blue")};
        scene.nodes = {StillNode("Square", 0)};
        CModel3D model;
        model.m_strFile = m_pFolder->Path("square.3ds");
        Write3ds(scene, model.m_strFile);
        QVERIFY(model.Load());
        m_selection.m_pModel = &model;
        image = Draw();
        QVERIFY(Near(At(image, front, 0.3, 0.3), Qt::blue));

        // Zoom 10 shows ten times as much: the square shrinks to the middle
        // and grid lines appear every tenth of the view.
        m_pDoc->m_nViewZoom = 10;
        image = Draw();
        QVERIFY(Near(At(image, front, 0.3, 0.3), kClearColour) ||
                Near(At(image, front, 0.3, 0.3), QColor(153, 153, 153)));
        int gridPixels = 0;
        for (double right = -0.95; right < 0.95; right += 0.01)
            gridPixels += Near(At(image, front, right, 0.55), QColor(153, 153, 153));
        QVERIFY2(gridPixels >= 10, qPrintable(QString::number(gridPixels)));
        m_pView->MakeCurrent();
        m_selection.m_pModel = nullptr;
    }

    void zoomZeroIsDrawnAsZoomOne()
    {
        m_pDoc->m_bSingleView = false;
        m_pDoc->m_nViewZoom = 1;
        const QImage one = Draw();
        m_pDoc->m_nViewZoom = 0;
        QCOMPARE(Draw(), one);
    }
};

int RunViewTests(int argc, char** argv)
{
    ViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "view_test.moc"
