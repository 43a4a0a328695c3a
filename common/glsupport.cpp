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

bool accelerated()
{
    static const bool result = [] {
        if (!usable())
            return false;
        QOpenGLContext context;
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        const auto *renderer = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
        const QByteArray name = QByteArray(renderer ? renderer : "").toLower();
        context.doneCurrent();
        for (const char *software : {"llvmpipe", "softpipe", "software rasterizer", "swrast", "swiftshader"}) {
            if (name.contains(software))
                return false;
        }
        return !name.isEmpty();
    }();
    return result;
}

bool softwareRenderer()
{
    return usable() && !accelerated();
}

} // namespace GlSupport
