#pragma once

#include <QByteArrayView>

// How pages and the window are drawn. Where OpenGL itself runs on the processor (llvmpipe
// in a virtual machine, a remote session or a machine without a graphics driver), drawing
// through it costs more than drawing without it: every frame of a page is composed by a
// software rasteriser three times over. There the engine and its views draw in software,
// and only what changed is copied to the screen.
namespace RenderPath {

// Whether an OpenGL renderer's name is that of a rasteriser running on the processor.
bool softwareRenderer(QByteArrayView glRenderer);

// Chooses before the engine starts; a scene graph the user chose in the environment stands.
void choose();

} // namespace RenderPath
