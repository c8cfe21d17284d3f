// The editor view as a person sees it: where each area sits, what the
// orthographic views show, and the live area with and without a run.
#include "document/zelmora_doc.h"
#include "model_writers/write_3ds.h"
#include "render/model_scene.h"
#include "ui/view/model_selection.h"
#include "ui/view/viewport_layout.h"
#include "ui/view/zelmora_view.h"
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

// A new document drawn by a view of its own, showing `m_selection`; the view
// goes before the document.
struct CViewUnderTest
{
    CViewUnderTest()
    {
        m_doc.OnNewDocument();
        m_doc.SetView(&m_view);
        m_view.SetSelection(&m_selection);
    }
    ~CViewUnderTest() { m_doc.SetView(nullptr); }

    ScratchFolder m_folder;
    RecordingMessages m_messages;
    CZelmoraDoc m_doc;
    FixedSelection m_selection;
    CZelmoraView m_view{m_doc};
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

    QImage Draw() { return m_p->m_view.Render(); }
    const CGlRect& Quadrant(int column, int row)
    {
        return m_p->m_view.Layout().quadrants[column][row];
    }

    std::unique_ptr<CViewUnderTest> m_p;

  private slots:
    void init()
    {
        m_p = std::make_unique<CViewUnderTest>();
        m_p->m_view.resize(kViewSide, kViewSide);
        m_p->m_view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_p->m_view));
        QTRY_VERIFY(m_p->m_view.IsReady());
    }

    void cleanup() { m_p.reset(); }

    void layoutLetterboxesTheVideo_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<CGlRect>("letterbox");
        QTest::newRow("no video: the whole area")
            << QSize(800, 500) << QSize(0, 0) << CGlRect{0, 0, 800, 500};
        QTest::newRow("320 x 240 in 800 x 500")
            << QSize(800, 500) << QSize(320, 240) << CGlRect{67, 0, 733, 500};
        QTest::newRow("zero height counts as one")
            << QSize(800, 0) << QSize(0, 0) << CGlRect{0, 0, 800, 1};
        // 35 / (7 / 3) falls just short of 15 in doubles: only the
        // width-limited branch truncates to 14.
        QTest::newRow("a tie takes the width")
            << QSize(35, 15) << QSize(7, 3) << CGlRect{0, 0, 35, 14};
    }

    void layoutLetterboxesTheVideo()
    {
        QFETCH(QSize, area);
        QFETCH(QSize, frame);
        QFETCH(CGlRect, letterbox);
        const CViewportLayout layout =
            LayoutViewports(area.width(), area.height(), frame.width(), frame.height());
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
        m_p->m_doc.m_trackers.emplace_back();
        const QImage image = Draw();
        for (QPoint point : {QPoint(5, 5), QPoint(150, 150), QPoint(290, 290)})
            QVERIFY(Near(image.pixelColor(point), kClearColour));
    }

    // Light text in the middle of the view while the project has no
    // tracker, in either layout; none once it has one. The grid's grey (153)
    // stays below the text's.
    void anEmptyProjectShowsAHintUntilATrackerExists()
    {
        constexpr int kHintLightness = 190;
        const auto hintPixels = [this]
        {
            const QImage image = Draw();
            int light = 0;
            for (int y = kViewSide / 3; y < 2 * kViewSide / 3; ++y)
                for (int x = kViewSide / 4; x < 3 * kViewSide / 4; ++x)
                    light += image.pixelColor(x, y).lightness() > kHintLightness;
            return light;
        };
        for (bool bSingleView : {true, false})
        {
            m_p->m_doc.m_settings.m_bSingleView = bSingleView;
            m_p->m_doc.m_trackers.clear();
            QVERIFY2(hintPixels() > 100, bSingleView ? "single view" : "four views");
            m_p->m_doc.m_trackers.emplace_back();
            QCOMPARE(hintPixels(), 0);
        }
    }

    void orthographicViewsShowGridAxesAndTheSelectedModel()
    {
        m_p->m_doc.m_trackers.emplace_back(); // no hint over the views
        m_p->m_doc.m_settings.m_bSingleView = false;
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
        model.m_strFile = m_p->m_folder.Path("square.3ds");
        Write3ds(scene, model.m_strFile);
        QVERIFY(LoadModel(model));
        m_p->m_selection.m_pModel = &model;
        image = Draw();
        QVERIFY(Near(At(image, front, 0.3, 0.3), Qt::blue));

        // Zoom 10 shows ten times as much: the square shrinks to the middle
        // and grid lines appear every tenth of the view.
        m_p->m_doc.m_settings.m_nViewZoom = 10;
        image = Draw();
        QVERIFY(Near(At(image, front, 0.3, 0.3), kClearColour) ||
                Near(At(image, front, 0.3, 0.3), QColor(153, 153, 153)));
        int gridPixels = 0;
        for (double right = -0.95; right < 0.95; right += 0.01)
            gridPixels += Near(At(image, front, right, 0.55), QColor(153, 153, 153));
        QVERIFY2(gridPixels >= 10, qPrintable(QString::number(gridPixels)));
        m_p->m_view.MakeCurrent();
        m_p->m_selection.m_pModel = nullptr;
    }

    void zoomZeroIsDrawnAsZoomOne()
    {
        m_p->m_doc.m_settings.m_bSingleView = false;
        m_p->m_doc.m_settings.m_nViewZoom = 1;
        const QImage one = Draw();
        m_p->m_doc.m_settings.m_nViewZoom = 0;
        QCOMPARE(Draw(), one);
    }
};

QT_TEST_SUITE(RunViewTests, ViewTest)

#include "view_test.moc"
