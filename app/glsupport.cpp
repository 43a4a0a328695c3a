#include "glsupport.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace GlSupport {

bool usable()
{
    static const bool result = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QOpenGLContext context;
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        context.doneCurrent();
        return true;
    }();
    return result;
}

bool softwareRenderer()
{
    static const bool result = [] {
        if (!usable())
            return false;
        QOpenGLContext context;
        QOffscreenSurface surface;
        if (!context.create())
            return false;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        const auto *name = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
        const QByteArray renderer = QByteArray(name ? name : "").toLower();
        context.doneCurrent();
        return renderer.contains("llvmpipe") || renderer.contains("softpipe") || renderer.contains("swrast")
               || renderer.contains("software");
    }();
    return result;
}

} // namespace GlSupport
