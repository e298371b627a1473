#include "app/renderpath.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

bool RenderPath::softwareRenderer(QByteArrayView glRenderer)
{
    // Mesa's llvmpipe, softpipe and classic swrast ("Software Rasterizer"), and SwiftShader.
    // A virtual GPU (virgl, SVGA3D) hands its work to the host's hardware and is not one.
    static constexpr QByteArrayView names[]
        = { "llvmpipe", "softpipe", "software rasterizer", "swiftshader" };
    const QByteArray lower = glRenderer.toByteArray().toLower();
    for (const QByteArrayView name : names)
        if (lower.contains(name))
            return true;
    return false;
}

namespace {

// The renderer's name of the OpenGL the window would draw with; empty when there is none.
// Asked of the context the engine will share, made current for a moment before the engine
// starts, rather than of a context made only to ask.
QByteArray openGLRenderer()
{
    QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (!shared || !shared->isValid())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(shared->format());
    surface.create();
    if (!surface.isValid() || !shared->makeCurrent(&surface))
        return {};
    const auto *name
        = reinterpret_cast<const char *>(shared->functions()->glGetString(GL_RENDERER));
    QByteArray renderer(name ? name : "");
    shared->doneCurrent();
    return renderer;
}

} // namespace

void RenderPath::choose()
{
    for (const char *choice : { "QT_QUICK_BACKEND", "QMLSCENE_DEVICE", "QSG_RHI_BACKEND" })
        if (qEnvironmentVariableIsSet(choice))
            return;
    const QByteArray renderer = openGLRenderer();
    // Without any OpenGL the engine cannot draw through it either.
    if (renderer.isEmpty() || softwareRenderer(renderer))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
