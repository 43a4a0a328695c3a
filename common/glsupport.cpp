#include "glsupport.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace GlSupport {

namespace {
// Creates a context, makes it current on a small off-screen surface and
// runs `use` there; false when any of that fails.
template<typename Use>
bool withCurrentContext(Use use)
{
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    use(context);
    context.doneCurrent();
    return true;
}
} // namespace

bool usable()
{
    static const bool result = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        return withCurrentContext([](QOpenGLContext &) {});
    }();
    return result;
}

bool accelerated()
{
    static const bool result = [] {
        if (!usable())
            return false;
        QByteArray name;
        const bool current = withCurrentContext([&name](QOpenGLContext &context) {
            const auto *renderer = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
            name = QByteArray(renderer ? renderer : "").toLower();
        });
        if (!current)
            return false;
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
