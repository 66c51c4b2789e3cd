// The drawing: one program pair does what OpenGL 1.1's fixed functions do with the game's
// settings. Per vertex: the model-view and projection matrices, and lighting with the ambient
// and diffuse terms (the material's highlight and emitted colours stay OpenGL's black, which
// the game never changes). Per fragment: the texture modulating the colour, alpha and all.
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "platform/webgl/draw_cache.h"
#include "platform/webgl/state.h"

static const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec2 texCoord;
attribute vec4 color;
uniform mat4 modelView;
uniform mat4 projection;
uniform mat3 normalMatrix;
uniform bool lighting;
uniform bool colorMaterial;
uniform vec4 materialAmbient;
uniform vec4 materialDiffuse;
// The scene's ambient light and every enabled light's ambient, summed: lights are neither
// attenuated nor spotlights here, so their ambient terms do not depend on the vertex.
uniform vec3 ambient;
uniform int lightCount;
uniform vec4 lightPosition[8];
uniform vec3 lightDiffuse[8];
varying vec4 frontColor;
varying vec2 frontTexCoord;

void main()
{
    vec4 eye = modelView * vec4(position, 1.0);
    gl_Position = projection * eye;
    frontTexCoord = texCoord;
    if (!lighting) {
        frontColor = clamp(color, 0.0, 1.0);
        return;
    }
    vec4 matAmbient = colorMaterial ? color : materialAmbient;
    vec4 matDiffuse = colorMaterial ? color : materialDiffuse;
    // Not made unit length again: GL_NORMALIZE is off, so a scaled model scales its lighting.
    vec3 n = normalMatrix * normal;
    vec3 lit = ambient * matAmbient.rgb;
    for (int i = 0; i < 8; ++i) {
        if (i >= lightCount)
            break;
        vec4 p = lightPosition[i];
        vec3 toLight = p.w != 0.0 ? p.xyz / p.w - eye.xyz / eye.w : p.xyz;
        lit += max(dot(n, normalize(toLight)), 0.0) * lightDiffuse[i] * matDiffuse.rgb;
    }
    frontColor = clamp(vec4(lit, matDiffuse.a), 0.0, 1.0);
}
)";

static const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform bool texturing;
uniform sampler2D image;
varying vec4 frontColor;
varying vec2 frontTexCoord;

void main()
{
    gl_FragColor = texturing ? frontColor * texture2D(image, frontTexCoord) : frontColor;
}
)";

enum Attribute { kPosition, kNormal, kTexCoord, kColor };

// The vertex buffer the attributes lie in now (0: none yet), and the cache's bindings then.
static unsigned vertexBufferInUse = 0;
static unsigned cacheBindingsSeen = 0;

// Where the program's uniforms are, looked up once when it is linked.
static struct {
    GLint modelView, projection, normalMatrix, lighting, colorMaterial, materialAmbient,
        materialDiffuse, ambient, lightCount, lightPosition, lightDiffuse, texturing, image;
} where;

// What the program is given for a draw. Most draws follow one another with nothing changed (a
// sphere's stacks, a text's letters), so the values go to OpenGL ES only when they differ from
// the last ones sent. Only 4-byte members: no padding, so the bytes compare as the values.
struct Uniforms {
    float modelView[16], projection[16], normalMatrix[9];
    int lighting, colorMaterial;
    float materialAmbient[4], materialDiffuse[4], ambient[3];
    int lightCount;
    float lightPosition[kLights][4], lightDiffuse[kLights][3];
    int texturing;
};
static Uniforms sent;
static bool anySent = false;

static GLuint Compile(GLenum type, const char* source)
{
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "fixed-function shader: %s\n", log);
    }
    return shader;
}

static void MakeProgram(Gl11State& state)
{
    GLuint program = glCreateProgram();
    GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, kPosition, "position");
    glBindAttribLocation(program, kNormal, "normal");
    glBindAttribLocation(program, kTexCoord, "texCoord");
    glBindAttribLocation(program, kColor, "color");
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[1024] = "";
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "fixed-function program: %s\n", log);
    }
    state.program = program;
    anySent = false;
    where = {glGetUniformLocation(program, "modelView"), glGetUniformLocation(program, "projection"),
             glGetUniformLocation(program, "normalMatrix"), glGetUniformLocation(program, "lighting"),
             glGetUniformLocation(program, "colorMaterial"),
             glGetUniformLocation(program, "materialAmbient"),
             glGetUniformLocation(program, "materialDiffuse"), glGetUniformLocation(program, "ambient"),
             glGetUniformLocation(program, "lightCount"),
             glGetUniformLocation(program, "lightPosition"),
             glGetUniformLocation(program, "lightDiffuse"), glGetUniformLocation(program, "texturing"),
             glGetUniformLocation(program, "image")};
    glUseProgram(program);
    glUniform1i(where.image, 0);
    glGenBuffers(1, &state.buffer);
}

void ReleaseDrawing()
{
    Gl11State& state = State();
    if (state.program == 0)
        return;
    ReleaseCache();
    glDeleteProgram(state.program);
    glDeleteBuffers(1, &state.buffer);
    vertexBufferInUse = 0;
    state.program = state.buffer = 0;
}

// OpenGL turns normals by the inverse transpose of the model-view matrix's upper 3x3.
static void NormalMatrix(const Matrix& modelView, float out[9])
{
    double a[3][3];  // a[column][row]
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            a[column][row] = modelView.m[column * 4 + row];
    // Cofactors: the inverse is their transpose over the determinant, so the inverse transpose
    // is the cofactors themselves over it.
    double cofactor[3][3];
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) {
            int c0 = (column + 1) % 3, c1 = (column + 2) % 3;
            int r0 = (row + 1) % 3, r1 = (row + 2) % 3;
            cofactor[column][row] = a[c0][r0] * a[c1][r1] - a[c1][r0] * a[c0][r1];
        }
    double determinant = a[0][0] * cofactor[0][0] + a[1][0] * cofactor[1][0] + a[2][0] * cofactor[2][0];
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            out[column * 3 + row] = determinant == 0.0 ? 0.0f : (float)(cofactor[column][row] / determinant);
}

static void SetLighting(const Gl11State& state, Uniforms& u)
{
    u.lighting = state.lighting;
    if (!state.lighting)
        return;
    u.colorMaterial = state.colorMaterial;
    std::memcpy(u.materialAmbient, state.materialAmbient, sizeof u.materialAmbient);
    std::memcpy(u.materialDiffuse, state.materialDiffuse, sizeof u.materialDiffuse);
    NormalMatrix(state.modelView, u.normalMatrix);
    // OpenGL's scene ambient light is 0.2 grey.
    double ambient[3] = {0.2, 0.2, 0.2};
    for (const Light& light : state.lights) {
        if (!light.enabled)
            continue;
        for (int i = 0; i < 3; ++i) {
            ambient[i] += light.ambient[i];
            u.lightDiffuse[u.lightCount][i] = light.diffuse[i];
        }
        std::memcpy(u.lightPosition[u.lightCount], light.position, sizeof light.position);
        ++u.lightCount;
    }
    for (int i = 0; i < 3; ++i)
        u.ambient[i] = (float)ambient[i];
}

// Each uniform goes to OpenGL ES only when it differs from the one sent last: a text's letters
// differ in their model-view matrix alone, a sphere's stacks in nothing.
template <typename Member>
static bool Changed(const Member& now, const Member& before)
{
    return !anySent || std::memcmp(&now, &before, sizeof now) != 0;
}

static void Send(const Uniforms& u)
{
    if (Changed(u.modelView, sent.modelView))
        glUniformMatrix4fv(where.modelView, 1, GL_FALSE, u.modelView);
    if (Changed(u.projection, sent.projection))
        glUniformMatrix4fv(where.projection, 1, GL_FALSE, u.projection);
    if (Changed(u.normalMatrix, sent.normalMatrix))
        glUniformMatrix3fv(where.normalMatrix, 1, GL_FALSE, u.normalMatrix);
    if (Changed(u.lighting, sent.lighting))
        glUniform1i(where.lighting, u.lighting);
    if (Changed(u.colorMaterial, sent.colorMaterial))
        glUniform1i(where.colorMaterial, u.colorMaterial);
    if (Changed(u.materialAmbient, sent.materialAmbient))
        glUniform4fv(where.materialAmbient, 1, u.materialAmbient);
    if (Changed(u.materialDiffuse, sent.materialDiffuse))
        glUniform4fv(where.materialDiffuse, 1, u.materialDiffuse);
    if (Changed(u.ambient, sent.ambient))
        glUniform3fv(where.ambient, 1, u.ambient);
    if (Changed(u.lightCount, sent.lightCount))
        glUniform1i(where.lightCount, u.lightCount);
    if (Changed(u.lightPosition, sent.lightPosition))
        glUniform4fv(where.lightPosition, kLights, u.lightPosition[0]);
    if (Changed(u.lightDiffuse, sent.lightDiffuse))
        glUniform3fv(where.lightDiffuse, kLights, u.lightDiffuse[0]);
    if (Changed(u.texturing, sent.texturing))
        glUniform1i(where.texturing, u.texturing);
    sent = u;
    anySent = true;
}

// The program and its attributes are set once: nothing else draws with this context. Where
// the attributes lie follows the vertex buffer in use: the stream buffer, or a kept draw's.

static void UseVertexBuffer(unsigned buffer)
{
    if (buffer == vertexBufferInUse && CacheBindings() == cacheBindingsSeen)
        return;
    vertexBufferInUse = buffer;
    cacheBindingsSeen = CacheBindings();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const struct {
        Attribute index;
        GLint size;
        size_t offset;
    } attributes[] = {
        {kPosition, 3, offsetof(Vertex, position)},
        {kNormal, 3, offsetof(Vertex, normal)},
        {kTexCoord, 2, offsetof(Vertex, texCoord)},
        {kColor, 4, offsetof(Vertex, color)},
    };
    for (const auto& attribute : attributes)
        glVertexAttribPointer(attribute.index, attribute.size, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<const void*>(attribute.offset));
}

void DrawTriangles(const std::vector<Vertex>& triangles)
{
    Gl11State& state = State();
    if (state.program == 0) {
        MakeProgram(state);
        for (Attribute attribute : {kPosition, kNormal, kTexCoord, kColor})
            glEnableVertexAttribArray(attribute);
        vertexBufferInUse = 0;
    }
    Uniforms u = {};
    std::memcpy(u.modelView, state.modelView.m, sizeof u.modelView);
    std::memcpy(u.projection, state.projection.m, sizeof u.projection);
    SetLighting(state, u);
    u.texturing = state.texturing && BoundTextureComplete();
    Send(u);
    if (const CachedDraw* cached = CachedTriangles(triangles)) {
        UseVertexBuffer(cached->vertexBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, cached->indexBuffer);
        glDrawElements(GL_TRIANGLES, cached->indices, GL_UNSIGNED_SHORT, nullptr);
        return;
    }
    UseVertexBuffer(state.buffer);
    glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(triangles.size() * sizeof(Vertex)), triangles.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, (GLsizei)triangles.size());
}
