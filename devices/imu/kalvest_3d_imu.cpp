#include "kalvest_3d_imu.h"

#include "glsupport.h"
#include "imulines.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>
#include <Qt3DCore/QTransform>
#include <Qt3DExtras/QForwardRenderer>
#include <Qt3DExtras/QPhongMaterial>
#include <Qt3DExtras/QPlaneMesh>
#include <Qt3DRender/QCamera>
#include <Qt3DRender/QPointLight>
#include <Qt3DRender/QRenderCapture>

ColouredCuboidEntity::ColouredCuboidEntity(float width, float height, float depth, Qt3DCore::QNode *parent)
    : Qt3DCore::QEntity(parent)
{
    transform = new Qt3DCore::QTransform;
    addComponent(transform);
    transform->setRotation(QQuaternion::fromAxisAndAngle(QVector3D(0, 1, 0), 90));

    struct Face {
        QColor colour;
        float w, h;
        QVector3D translation;
        float angle;
        QVector3D axis;
    };
    const Face table[6] = {
        {Qt::red, width, height, {0, 0, depth / 2}, 90, {1, 0, 0}},
        {Qt::yellow, width, height, {0, 0, -depth / 2}, -90, {1, 0, 0}},
        {Qt::green, depth, height, {-width / 2, 0, 0}, -120, {1, -1, -1}},
        {Qt::blue, depth, height, {width / 2, 0, 0}, 240, {1, 1, 1}},
        {Qt::cyan, width, depth, {0, height / 2, 0}, 0, {}},
        {Qt::magenta, width, depth, {0, -height / 2, 0}, 180, {1, 0, 0}},
    };
    for (const Face &f : table) {
        auto *face = new Qt3DCore::QEntity(this);
        auto *mesh = new Qt3DExtras::QPlaneMesh;
        mesh->setWidth(f.w);
        mesh->setHeight(f.h);
        auto *material = new Qt3DExtras::QPhongMaterial;
        material->setDiffuse(f.colour);
        material->setAmbient(QColor::fromRgbF(0.1f, 0.1f, 0.1f, 1.0f));
        material->setShininess(20);
        auto *t = new Qt3DCore::QTransform;
        t->setTranslation(f.translation);
        if (!f.axis.isNull())
            t->setRotation(QQuaternion::fromAxisAndAngle(f.axis, f.angle));
        face->addComponent(mesh);
        face->addComponent(material);
        face->addComponent(t);
        faces.append(face);
    }
}

widget3D::widget3D(float width, float height, float depth)
{
    rootEntity = new Qt3DCore::QEntity;
    camera = Qt3DWindow::camera();
    if (!camera)
        return;
    camera->setProjectionType(Qt3DRender::QCameraLens::PerspectiveProjection);
    camera->setViewCenter(QVector3D(0, 0, 0));
    camera->setUpVector(QVector3D(0, 1, 0));
    camera->setNearPlane(0.1f);
    camera->setFarPlane(2000.0f);

    auto *light = new Qt3DCore::QEntity(rootEntity);
    auto *point = new Qt3DRender::QPointLight(light);
    point->setColor(Qt::white);
    point->setIntensity(1.2f);
    auto *lightTransform = new Qt3DCore::QTransform(light);
    lightTransform->setTranslation(QVector3D(50, 50, -250));
    light->addComponent(point);
    light->addComponent(lightTransform);

    cuboid = new ColouredCuboidEntity(width, height, depth, rootEntity);
    setRootEntity(rootEntity);
    defaultFrameGraph()->setClearColor(QColor(0, 0, 0, 255));
    // A capture node over the default frame graph; it does nothing until a
    // picture is asked for.
    m_capture = new Qt3DRender::QRenderCapture;
    defaultFrameGraph()->setParent(m_capture);
    setActiveFrameGraph(m_capture);

    camera->setPosition(QVector3D(0, 0, -300));
}

Qt3DRender::QRenderCaptureReply *widget3D::requestCapture() { return m_capture ? m_capture->requestCapture() : nullptr; }

void widget3D::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        lastMousePos = event->position().toPoint();
        dragging = true;
        event->accept();
        return;
    }
    Qt3DWindow::mousePressEvent(event);
}

void widget3D::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && dragging) {
        dragging = false;
        event->accept();
        return;
    }
    Qt3DWindow::mouseReleaseEvent(event);
}

void widget3D::mouseMoveEvent(QMouseEvent *event)
{
    if (!(dragging && (event->buttons() & Qt::RightButton))) {
        Qt3DWindow::mouseMoveEvent(event);
        return;
    }
    if (!cuboid || !cuboid->transform) {
        dragging = false;
        event->ignore();
        return;
    }
    const QPoint p = event->position().toPoint();
    const int dx = p.x() - lastMousePos.x();
    const int dy = p.y() - lastMousePos.y();
    const QQuaternion qx = QQuaternion::fromAxisAndAngle(QVector3D(1, 0, 0), dy * 0.4f);
    const QQuaternion qy = QQuaternion::fromAxisAndAngle(QVector3D(0, 1, 0), dx * 0.4f);
    cuboid->transform->setRotation((qy * qx * cuboid->transform->rotation()).normalized());
    lastMousePos = p;
    event->accept();
}

void widget3D::wheelEvent(QWheelEvent *event)
{
    if (!camera)
        return;
    float delta = 0;
    if (!event->pixelDelta().isNull())
        delta = -float(event->pixelDelta().y());
    else if (!event->angleDelta().isNull())
        delta = -float(event->angleDelta().y()) * 0.1f;
    if (std::abs(delta) <= 0.00001f) {
        event->ignore();
        return;
    }
    const QVector3D centre = camera->viewCenter();
    const QVector3D v = camera->position() - centre;
    float d = v.length();
    QVector3D direction;
    if (d <= 0.00001f) {
        direction = camera->viewVector().normalized();
        if (direction.isNull())
            direction = QVector3D(0, 0, -1);
        d = 0.1f;
    } else {
        direction = v / d;
    }
    float distance = d + (delta * 0.05f * d) * 0.1f;
    distance = qMin(distance, 0.9f * camera->farPlane());
    distance = qMax(distance, 2.0f * camera->nearPlane());
    camera->setPosition(centre + direction * distance);
    event->accept();
}

kalvest_3d_imu::kalvest_3d_imu(QWidget *parent) : QWidget(parent)
{
    new QGridLayout(this);
}

// Built when first on screen: asking for OpenGL loads the driver, which
// start-up should not pay for a page nobody opens.
void kalvest_3d_imu::showEvent(QShowEvent *event)
{
    if (!m_built)
        build();
    QWidget::showEvent(event);
}

void kalvest_3d_imu::build()
{
    m_built = true;
    auto *grid = static_cast<QGridLayout *>(layout());
    if (GlSupport::usable()) {
        view = new widget3D(50, 100, 20);
        grid->addWidget(QWidget::createWindowContainer(view, this), 0, 0);
        if (m_hasPending)
            setQuaternion(m_pending[0], m_pending[1], m_pending[2], m_pending[3]);
    } else {
        auto *placeholder = new QLabel(tr("3D view not available: this display offers no OpenGL."), this);
        placeholder->setAlignment(Qt::AlignCenter);
        placeholder->setObjectName(QStringLiteral("imuPlaceholder"));
        grid->addWidget(placeholder, 0, 0);
    }
}

void kalvest_3d_imu::setQuaternion(double w, double x, double y, double z)
{
    if (!m_built) {
        m_hasPending = true;
        m_pending[0] = w, m_pending[1] = x, m_pending[2] = y, m_pending[3] = z;
        return;
    }
    if (!view || !view->cuboid)
        return;
    // Normalised in double precision: single precision would turn huge
    // components into a NaN rotation and tiny ones into none at all.
    const std::optional<ImuLines::Quaternion> unit = ImuLines::normalised({w, x, y, z, true});
    if (!unit)
        return; // no direction: the cuboid keeps its attitude
    const QQuaternion q(float(unit->w), float(unit->x), float(unit->y), float(unit->z));
    const QQuaternion r = QQuaternion::fromAxisAndAngle(QVector3D(1, 0, 0), -90);
    view->cuboid->transform->setRotation(r * q);
}
