// The "IMU" and "CIE" pages against scripted sensors on a pty: the IMU
// labels on every other frame, the cuboid's attitude, numbers beyond single
// precision and far below 1e-5, its scene (faces, colours, camera) and a
// rendered picture that follows the attitude; the
// CIE point and label placed on the diagram, the diagram's spectral locus
// where the colour-matching data puts it, the label kept inside, far-off
// values, and a vanished sensor closing the page.

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DExtras/QPlaneMesh>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QRenderCapture>
#include <functional>

#include "cie/kalvest_cie_widget.h"
#include "cie/kalvest_cieplot.h"
#include "devicewindowfixture.h"
#include "glsupport.h"
#include "imu/kalvest_3d_imu.h"
#include "ownprogram.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

class TestImuCiePages : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { f.stop(); }
    void imuLabelsAndAttitude();
    void imuHugeAndTinyNumbers();
    void imuSceneAndPicture();
    void ciePointLabelAndDiagram();
    void cieLabelStaysInsideAndFarValues();

private:
    void open(QPushButton *button);
    void saveShot(const QString &name);
    DeviceWindowFixture f;
};

void TestImuCiePages::open(QPushButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QCOMPARE(button->text(), QStringLiteral("Close"));
}

void TestImuCiePages::saveShot(const QString &name)
{
    if (qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR"))
        return;
    f.w->resize(1280, 860);
    QTest::qWait(300);
    QPixmap shot = f.w->grab();
    // The 3D view is a native window: paint what the screen shows of it.
    if (QScreen *screen = f.w->screen())
        shot = screen->grabWindow(f.w->winId());
    shot.save(qEnvironmentVariable("VELM_ARTIFACT_DIR") + QLatin1Char('/') + name);
}

void TestImuCiePages::imuLabelsAndAttitude()
{
    QVERIFY(f.start(QStringLiteral("IMU")));
    f.makeWindow();
    Ui::MainWindow *ui = f.w->ui;
    open(ui->imuopencompushButton);
    f.device->write("W: 0.7071, X: 0.0000, ");
    QTest::qWait(50);
    QCOMPARE(ui->label_imu_y->text(), QStringLiteral("0.00"));
    f.device->write("Y: 0.7071, Z: 0.0000\r\n");
    QTRY_COMPARE(ui->label_imu_y->text(), QStringLiteral("90.00"));
    QCOMPARE(ui->label_imu_x->text(), QStringLiteral("0.00"));
    QCOMPARE(ui->label_imu_z->text(), QStringLiteral("0.00"));
    QCOMPARE(ui->label_imu_euler_w->text(), QStringLiteral("0.71"));
    QCOMPARE(ui->label_imu_euler_y->text(), QStringLiteral("0.71"));
    // The second frame turns the view but leaves the labels.
    f.device->write("W:2,X:0,Y:0,Z:0\r\n");
    widget3D *view = f.w->imuView->view;
    const QQuaternion expected = QQuaternion::fromAxisAndAngle(1, 0, 0, -90);
    if (view)
        QTRY_VERIFY(qFuzzyCompare(view->cuboid->transform->rotation(), expected));
    else
        QTest::qWait(100);
    QCOMPARE(ui->label_imu_euler_w->text(), QStringLiteral("0.71"));
    // The third shows raw numbers, unnormalised.
    f.device->write("W:2,X:0,Y:0,Z:0\r\nW:9,X:9,Y:9,Z:9\r\n");
    QTRY_COMPARE(ui->label_imu_euler_w->text(), QStringLiteral("2.00"));
    // All zeros has no direction: ignored.
    f.device->write("W:0,X:0,Y:0,Z:0\r\n");
    QTest::qWait(100);
    QCOMPARE(ui->label_imu_euler_w->text(), QStringLiteral("2.00"));
    if (view)
        QVERIFY(qFuzzyCompare(view->cuboid->transform->rotation(), expected));
    saveShot(QStringLiteral("imu_page.png"));

    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(ui->imuopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(ui->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
}

void TestImuCiePages::imuHugeAndTinyNumbers()
{
    QVERIFY(f.start(QStringLiteral("IMU")));
    f.makeWindow();
    MainWindow *w = f.w.get();
    Ui::MainWindow *ui = w->ui;
    widget3D *view = w->imuView->view;
    auto rotation = [view] { return view ? view->cuboid->transform->rotation() : QQuaternion(); };
    const QList<QLabel *> labels{ui->label_imu_x,       ui->label_imu_y,       ui->label_imu_z,      ui->label_imu_euler_w,
                                 ui->label_imu_euler_x, ui->label_imu_euler_y, ui->label_imu_euler_z};
    auto labelsFinite = [&labels] {
        for (QLabel *l : labels) {
            bool ok = false;
            if (!std::isfinite(l->text().toDouble(&ok)) || !ok)
                return false;
        }
        return true;
    };
    // Each call is one chunk; labels follow every other frame.
    w->readimuCom("W:0.7071,X:0,Y:0.7071,Z:0\r\n");
    QCOMPARE(ui->label_imu_y->text(), QStringLiteral("90.00"));
    const QQuaternion before = QQuaternion::fromAxisAndAngle(1, 0, 0, -90) * QQuaternion(0.7071f, 0, 0.7071f, 0).normalized();
    if (view)
        QVERIFY(qFuzzyCompare(rotation(), before));
    const QByteArray huge[] = {QByteArray("4") + QByteArray(38, '0'), QByteArray("1") + QByteArray(308, '0')};
    for (const QByteArray &wText : huge) {
        const QByteArray line = "W:" + wText + ",X:0,Y:0,Z:0\r\n";
        w->readimuCom(line); // labels not due
        w->readimuCom(line); // labels due
        QVERIFY2(labelsFinite(), qPrintable(ui->label_imu_y->text()));
        QCOMPARE(ui->label_imu_euler_w->text(), QStringLiteral("0.00")); // failed to convert
        if (view)
            QVERIFY(qFuzzyCompare(rotation(), before));
    }
    // Components far below 1e-5 keep their direction: 90 degrees about X,
    // which the view's own -90 degrees about X undoes.
    w->readimuCom("W:0.000001,X:0.000001,Y:0,Z:0\r\n");
    w->readimuCom("W:0.000001,X:0.000001,Y:0,Z:0\r\n");
    QCOMPARE(ui->label_imu_x->text(), QStringLiteral("90.00"));
    QVERIFY(labelsFinite());
    if (view)
        QVERIFY(qFuzzyCompare(rotation(), QQuaternion()));
}

void TestImuCiePages::imuSceneAndPicture()
{
    QVERIFY(f.start(QStringLiteral("IMU")));
    f.makeWindow();
    kalvest_3d_imu *imu = f.w->imuView;
    if (!GlSupport::usable()) {
        QVERIFY(!imu->view);
        QVERIFY(imu->findChild<QLabel *>(QStringLiteral("imuPlaceholder")));
        imu->setQuaternion(1, 0, 0, 0); // no view: nothing happens
        return;
    }
    // The same check on the offscreen platform, in a process of its own
    // (the OpenGL answer is fixed per process): there the placeholder shows.
    // That process is judged as this test is.
    TestSupport::OwnProgram offscreen(QStringLiteral("offscreen run"));
    QVERIFY(offscreen.start(QCoreApplication::applicationFilePath(), {QStringLiteral("imuSceneAndPicture")},
                            TestSupport::offscreenEnvironment()));
    QVERIFY2(offscreen.finish(60000), qPrintable(offscreen.verdict()));
    QVERIFY(offscreen.output().contains("PASS   : TestImuCiePages::imuSceneAndPicture()"));

    widget3D *view = imu->view;
    QVERIFY(view && view->cuboid);
    QCOMPARE(view->camera->position(), QVector3D(0, 0, -300));
    QCOMPARE(view->camera->viewCenter(), QVector3D(0, 0, 0));
    QCOMPARE(view->camera->farPlane(), 2000.0f);
    const QList<QColor> colours{Qt::red, Qt::yellow, Qt::green, Qt::blue, Qt::cyan, Qt::magenta};
    const QList<QVector3D> translations{{0, 0, 10}, {0, 0, -10}, {-25, 0, 0}, {25, 0, 0}, {0, 50, 0}, {0, -50, 0}};
    const QList<QSizeF> sizes{{50, 100}, {50, 100}, {20, 100}, {20, 100}, {50, 20}, {50, 20}};
    QCOMPARE(view->cuboid->faces.size(), 6);
    for (int i = 0; i < 6; ++i) {
        Qt3DCore::QEntity *face = view->cuboid->faces[i];
        const auto material = face->componentsOfType<Qt3DExtras::QPhongMaterial>();
        const auto mesh = face->componentsOfType<Qt3DExtras::QPlaneMesh>();
        const auto transform = face->componentsOfType<Qt3DCore::QTransform>();
        QCOMPARE(material.size(), 1);
        QCOMPARE(material[0]->diffuse(), colours[i]);
        QCOMPARE(material[0]->shininess(), 20.0f);
        QCOMPARE(QSizeF(mesh[0]->width(), mesh[0]->height()), sizes[i]);
        QCOMPARE(transform[0]->translation(), translations[i]);
    }
    // The face normals (the plane's +Y) point outwards once rotated.
    for (int i = 0; i < 6; ++i) {
        const auto t = view->cuboid->faces[i]->componentsOfType<Qt3DCore::QTransform>()[0];
        const QVector3D normal = t->rotation().rotatedVector(QVector3D(0, 1, 0));
        QVERIFY2(QVector3D::dotProduct(normal, translations[i].normalized()) > 0.99, qPrintable(QString::number(i)));
    }

    f.w->resize(1100, 800);
    f.w->ui->tabWidget->setCurrentIndex(0);
    auto capture = [view]() {
        Qt3DRender::QRenderCaptureReply *reply = view->requestCapture();
        if (!reply)
            return QImage();
        QSignalSpy done(reply, &Qt3DRender::QRenderCaptureReply::completed);
        if (!done.wait(5000))
            return QImage();
        const QImage img = reply->image();
        delete reply;
        return img;
    };
    auto lit = [](const QImage &img) {
        int n = 0;
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4)
                n += qGray(img.pixel(x, y)) > 20;
        return n;
    };
    // Frames are captured until one shows what is asked for, for at most 10
    // seconds: on a loaded machine the renderer may take a while to show a
    // change.
    auto captureUntil = [&capture](const std::function<bool(const QImage &)> &shows) {
        QElapsedTimer waited;
        waited.start();
        QImage img;
        do {
            QTest::qWait(100);
            img = capture();
        } while ((img.isNull() || !shows(img)) && waited.elapsed() < 10000);
        return img;
    };
    imu->setQuaternion(1, 0, 0, 0);
    const QImage a = captureUntil([&lit](const QImage &img) { return lit(img) > 20; });
    QVERIFY(!a.isNull());
    QVERIFY2(lit(a) > 20, "the cuboid is drawn");
    imu->setQuaternion(0.7071, 0, 0.7071, 0);
    const QImage b = captureUntil([&a](const QImage &img) { return img != a; });
    QVERIFY(!b.isNull());
    QVERIFY(a != b);

    // Right-drag 10 px to the right: 4 degrees more about Y.
    const QQuaternion before = view->cuboid->transform->rotation();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100), QPointF(100, 100), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(110, 100), QPointF(110, 100), Qt::NoButton, Qt::RightButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    QCoreApplication::sendEvent(view, &move);
    const QQuaternion turned = QQuaternion::fromAxisAndAngle(0, 1, 0, 4) * before;
    QVERIFY(qFuzzyCompare(view->cuboid->transform->rotation(), turned.normalized()));
    // Wheel: never closer than 0.2 nor farther than 1800.
    for (int i = 0; i < 300; ++i) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
    }
    QCOMPARE(view->camera->position().length(), 0.2f);
    for (int i = 0; i < 300; ++i) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
    }
    QCOMPARE(view->camera->position().length(), 1800.0f);
}

void TestImuCiePages::ciePointLabelAndDiagram()
{
    QVERIFY(f.start(QStringLiteral("CIE")));
    f.makeWindow();
    kalvest_cieplot *plot = f.w->cieWidget->plot();
    QVERIFY(plot->hasDiagram());
    plot->resize(800, 900); // one pixel per 0.001
    // The background's locus outline at known chromaticities of the CIE
    // 1931 observer (470, 520, 620 nm): a dark pixel within 2 px.
    const QImage bare = plot->grab().toImage();
    const QList<QPointF> known{{0.1241, 0.0578}, {0.0743, 0.8338}, {0.6915, 0.3083}};
    for (const QPointF &c : known) {
        const int cx = qRound(c.x() * 1000), cy = qRound(900 - c.y() * 1000);
        bool dark = false;
        for (int dy = -2; dy <= 2 && !dark; ++dy)
            for (int dx = -2; dx <= 2 && !dark; ++dx)
                dark = qGray(bare.pixel(cx + dx, cy + dy)) < 90;
        QVERIFY2(dark, qPrintable(QStringLiteral("locus near %1,%2").arg(c.x()).arg(c.y())));
    }

    Ui::MainWindow *ui = f.w->ui;
    open(ui->CIEopencompushButton);
    f.device->write("CIEX:0.31");
    QTest::qWait(30);
    f.device->write("27;CIEY:0.3290;LUX:250.5;CCT:6504\r");
    QTest::qWait(30);
    f.device->write("\n");
    QTRY_COMPARE(plot->cct(), 6504.0);
    QCOMPARE(plot->pointX(), 0.3127);
    QCOMPARE(plot->labelText(), QStringLiteral("x=0.313\ny=0.329\nLux:250.5\nCCT:6504K"));
    const QImage img = plot->grab().toImage();
    QCOMPARE(plot->pointPosition(), QPointF(312.7, 900 - 329.0));
    const QColor centre = img.pixelColor(313, 571);
    QVERIFY2(centre.red() > 200 && centre.green() < 60, "a red point");
    QVERIFY(plot->labelBox().left() > 313); // to the right of the point
    // y above the diagram: no point.
    f.device->write("CIEX:0.3;CIEY:0.95\r\n");
    QTRY_COMPARE(plot->pointY(), 0.95);
    plot->grab();
    QVERIFY(plot->pointPosition().isNull());
    f.w->cieWidget->resize(900, 900);
    f.device->write("CIEX:0.3127;CIEY:0.3290;LUX:250.5;CCT:6504\r\n");
    QTRY_COMPARE(plot->pointY(), 0.329);
    saveShot(QStringLiteral("cie_page.png"));
}

void TestImuCiePages::cieLabelStaysInsideAndFarValues()
{
    kalvest_cieplot plot;
    plot.resize(455, 445);
    plot.setPoint(0.85, 0.5, 1, 2);
    plot.grab();
    QVERIFY(plot.pointPosition().x() > 455); // beyond the right edge, clipped
    QCOMPARE(plot.labelBox().right(), 455 - 5);
    plot.setPoint(0.4, 0.899, 1, 2);
    plot.grab();
    QCOMPARE(plot.labelBox().top(), 5);
    plot.setPoint(1e308, 1e-300, std::numeric_limits<double>::infinity(), -1);
    QVERIFY(!plot.grab().isNull());
    QCOMPARE(plot.labelBox().left(), 5); // a label wider than the plot starts at its left edge
}

VELM_TEST_MAIN(TestImuCiePages)
#include "tst_imuciepages.moc"
