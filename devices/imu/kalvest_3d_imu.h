#pragma once
// The IMU page's 3D view: a cuboid with six coloured faces, turned to the
// device's attitude; the right mouse button turns it, the wheel zooms.
// Without a usable OpenGL context a plain placeholder stands in its place.

#include <QPoint>
#include <QWidget>

#include <Qt3DCore/QEntity>
#include <Qt3DExtras/Qt3DWindow>

namespace Qt3DCore {
class QTransform;
}
namespace Qt3DRender {
class QCamera;
class QRenderCapture;
class QRenderCaptureReply;
} // namespace Qt3DRender

class ColouredCuboidEntity : public Qt3DCore::QEntity
{
    Q_OBJECT

public:
    ColouredCuboidEntity(float width, float height, float depth, Qt3DCore::QNode *parent = nullptr);

    Qt3DCore::QTransform *transform = nullptr;
    // The faces in the order front, back, left, right, top, bottom.
    QList<Qt3DCore::QEntity *> faces;
};

class widget3D : public Qt3DExtras::Qt3DWindow
{
    Q_OBJECT

public:
    widget3D(float width, float height, float depth);

    Qt3DCore::QEntity *rootEntity = nullptr;
    Qt3DRender::QCamera *camera = nullptr;
    ColouredCuboidEntity *cuboid = nullptr;
    // Asks for a picture of the next frame (for checks of what is drawn).
    Qt3DRender::QRenderCaptureReply *requestCapture();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QPoint lastMousePos;
    bool dragging = false;
    Qt3DRender::QRenderCapture *m_capture = nullptr;
};

class kalvest_3d_imu : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_3d_imu(QWidget *parent = nullptr);

    // Turns the cuboid to the attitude (normalised, then -90 degrees about
    // X); nothing without a 3D view, nor for a quaternion that is zero or
    // not finite. Before the view is first shown the newest attitude is
    // kept for it.
    void setQuaternion(double w, double x, double y, double z);

    widget3D *view = nullptr; // null before first shown and when the placeholder is shown

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    bool m_built = false;
    bool m_hasPending = false;
    double m_pending[4] = {1, 0, 0, 0};
};
