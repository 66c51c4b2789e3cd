// The glyphs' display lists: each glyph's primitives as they were recorded, then the move of the
// origin by its advance. Plain OpenGL 1.1, the same calls on every host.
#include "platform/layer/glyph_geometry.h"

#include <GL/gl.h>

void LayerCompileGlyphLists(const GlyphSet& glyphs, DWORD listBase, LPGLYPHMETRICSFLOAT metrics)
{
    for (std::size_t i = 0; i < glyphs.glyphs.size(); ++i) {
        const GlyphShape& shape = glyphs.glyphs[i];
        glNewList(listBase + (GLuint)i, GL_COMPILE);
        for (const GlyphPrimitive& primitive : shape.primitives) {
            glBegin(primitive.mode);
            for (const GlyphRun& run : primitive.runs) {
                glNormal3f(run.normal[0], run.normal[1], run.normal[2]);
                for (std::size_t v = 0; v + 2 < run.vertices.size(); v += 3)
                    glVertex3f(run.vertices[v], run.vertices[v + 1], run.vertices[v + 2]);
            }
            glEnd();
        }
        glTranslatef(shape.metrics.gmfCellIncX, 0.0f, 0.0f);
        glEndList();
        if (metrics)
            metrics[i] = shape.metrics;
    }
}
