#pragma once
#include <cstddef>
#include <cstdint>

// The few OpenGL entry points the renderer uses, fetched at run time through
// SDL_GL_GetProcAddress, so the game never links libGL and runs on whatever
// driver SDL finds. The system GL headers must not be included next to this one:
// the types and constants below stand in for them.

using GLenum = unsigned int;
using GLuint = unsigned int;
using GLint = int;
using GLsizei = int;
using GLfloat = float;
using GLchar = char;
using GLubyte = unsigned char;
using GLboolean = unsigned char;
using GLbitfield = unsigned int;
using GLsizeiptr = std::ptrdiff_t;
using GLintptr = std::ptrdiff_t;

constexpr GLenum GL_NO_ERROR = 0;
constexpr GLenum GL_FALSE = 0;
constexpr GLenum GL_TRUE = 1;
constexpr GLenum GL_TRIANGLES = 0x0004;
constexpr GLenum GL_ZERO = 0;
constexpr GLenum GL_ONE = 1;
constexpr GLenum GL_SRC_ALPHA = 0x0302;
constexpr GLenum GL_ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr GLenum GL_DST_COLOR = 0x0306;
constexpr GLenum GL_BLEND = 0x0BE2;
constexpr GLenum GL_SCISSOR_TEST = 0x0C11;
constexpr GLenum GL_DEPTH_TEST = 0x0B71;
constexpr GLenum GL_CULL_FACE = 0x0B44;
constexpr GLenum GL_DITHER = 0x0BD0;
constexpr GLenum GL_UNPACK_ROW_LENGTH = 0x0CF2;
constexpr GLenum GL_UNPACK_ALIGNMENT = 0x0CF5;
constexpr GLenum GL_PACK_ALIGNMENT = 0x0D05;
constexpr GLenum GL_TEXTURE_2D = 0x0DE1;
constexpr GLenum GL_UNSIGNED_BYTE = 0x1401;
constexpr GLenum GL_FLOAT = 0x1406;
constexpr GLenum GL_RGBA = 0x1908;
constexpr GLenum GL_RGBA8 = 0x8058;
constexpr GLenum GL_RGB8 = 0x8051;
constexpr GLenum GL_BGRA = 0x80E1;
constexpr GLenum GL_VENDOR = 0x1F00;
constexpr GLenum GL_RENDERER = 0x1F01;
constexpr GLenum GL_VERSION = 0x1F02;
constexpr GLenum GL_NEAREST = 0x2600;
constexpr GLenum GL_TEXTURE_MAG_FILTER = 0x2800;
constexpr GLenum GL_TEXTURE_MIN_FILTER = 0x2801;
constexpr GLenum GL_TEXTURE_WRAP_S = 0x2802;
constexpr GLenum GL_TEXTURE_WRAP_T = 0x2803;
constexpr GLenum GL_CLAMP_TO_EDGE = 0x812F;
constexpr GLenum GL_COLOR_BUFFER_BIT = 0x4000;
constexpr GLenum GL_TEXTURE0 = 0x84C0;
constexpr GLenum GL_ARRAY_BUFFER = 0x8892;
constexpr GLenum GL_STREAM_DRAW = 0x88E0;
constexpr GLenum GL_FRAGMENT_SHADER = 0x8B30;
constexpr GLenum GL_VERTEX_SHADER = 0x8B31;
constexpr GLenum GL_COMPILE_STATUS = 0x8B81;
constexpr GLenum GL_LINK_STATUS = 0x8B82;
constexpr GLenum GL_INFO_LOG_LENGTH = 0x8B84;
constexpr GLenum GL_MAX_TEXTURE_SIZE = 0x0D33;
constexpr GLenum GL_FRAMEBUFFER = 0x8D40;
constexpr GLenum GL_FRAMEBUFFER_COMPLETE = 0x8CD5;
constexpr GLenum GL_COLOR_ATTACHMENT0 = 0x8CE0;
constexpr GLenum GL_READ_FRAMEBUFFER = 0x8CA8;
constexpr GLenum GL_DRAW_FRAMEBUFFER = 0x8CA9;
constexpr GLenum GL_ALPHA_TEST = 0x0BC0;
constexpr GLenum GL_GEQUAL = 0x0206;
constexpr GLenum GL_VERTEX_ARRAY = 0x8074;
constexpr GLenum GL_COLOR_ARRAY = 0x8076;
constexpr GLenum GL_TEXTURE_COORD_ARRAY = 0x8078;
constexpr GLenum GL_TEXTURE_ENV = 0x2300;
constexpr GLenum GL_TEXTURE_ENV_MODE = 0x2200;
constexpr GLenum GL_MODULATE = 0x2100;
constexpr GLenum GL_REPLACE = 0x1E01;

namespace gl {

// One pointer per entry point, named after the GL function without its prefix
// (gl::Clear is glClear). Names stay in this namespace so they can never be
// confused with the driver's own exported symbols.
#define SKITTERWORM_GL_FUNCTIONS(X)                                                                              \
  X(GetError, GLenum, (void))                                                                                    \
  X(GetString, const GLubyte*, (GLenum name))                                                                    \
  X(GetIntegerv, void, (GLenum pname, GLint * data))                                                             \
  X(Enable, void, (GLenum cap))                                                                                  \
  X(Disable, void, (GLenum cap))                                                                                 \
  X(Viewport, void, (GLint x, GLint y, GLsizei w, GLsizei h))                                                    \
  X(Scissor, void, (GLint x, GLint y, GLsizei w, GLsizei h))                                                     \
  X(ClearColor, void, (GLfloat r, GLfloat g, GLfloat b, GLfloat a))                                              \
  X(Clear, void, (GLbitfield mask))                                                                              \
  X(ColorMask, void, (GLboolean r, GLboolean g, GLboolean b, GLboolean a))                                       \
  X(BlendFunc, void, (GLenum sfactor, GLenum dfactor))                                                           \
  X(PixelStorei, void, (GLenum pname, GLint param))                                                              \
  X(ReadPixels, void, (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* p))             \
  X(Finish, void, (void))                                                                                        \
  X(GenTextures, void, (GLsizei n, GLuint * textures))                                                           \
  X(DeleteTextures, void, (GLsizei n, const GLuint* textures))                                                   \
  X(BindTexture, void, (GLenum target, GLuint texture))                                                          \
  X(ActiveTexture, void, (GLenum texture))                                                                       \
  X(TexParameteri, void, (GLenum target, GLenum pname, GLint param))                                             \
  X(TexImage2D, void,                                                                                            \
    (GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border, GLenum format, GLenum type, \
     const void* pixels))                                                                                        \
  X(TexSubImage2D, void,                                                                                         \
    (GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type,             \
     const void* pixels))                                                                                        \
  X(GenBuffers, void, (GLsizei n, GLuint * buffers))                                                             \
  X(DeleteBuffers, void, (GLsizei n, const GLuint* buffers))                                                     \
  X(BindBuffer, void, (GLenum target, GLuint buffer))                                                            \
  X(BufferData, void, (GLenum target, GLsizeiptr size, const void* data, GLenum usage))                          \
  X(BufferSubData, void, (GLenum target, GLintptr offset, GLsizeiptr size, const void* data))                    \
  X(EnableVertexAttribArray, void, (GLuint index))                                                               \
  X(VertexAttribPointer, void,                                                                                   \
    (GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride, const void* p))                \
  X(DrawArrays, void, (GLenum mode, GLint first, GLsizei count))                                                 \
  X(CreateShader, GLuint, (GLenum type))                                                                         \
  X(DeleteShader, void, (GLuint shader))                                                                         \
  X(ShaderSource, void, (GLuint shader, GLsizei count, const GLchar* const* text, const GLint* len))             \
  X(CompileShader, void, (GLuint shader))                                                                        \
  X(GetShaderiv, void, (GLuint shader, GLenum pname, GLint * value))                                             \
  X(GetShaderInfoLog, void, (GLuint shader, GLsizei size, GLsizei * length, GLchar * log))                       \
  X(CreateProgram, GLuint, (void))                                                                               \
  X(DeleteProgram, void, (GLuint program))                                                                       \
  X(AttachShader, void, (GLuint program, GLuint shader))                                                         \
  X(BindAttribLocation, void, (GLuint program, GLuint index, const GLchar* name))                                \
  X(LinkProgram, void, (GLuint program))                                                                         \
  X(GetProgramiv, void, (GLuint program, GLenum pname, GLint * value))                                           \
  X(GetProgramInfoLog, void, (GLuint program, GLsizei size, GLsizei * length, GLchar * log))                     \
  X(UseProgram, void, (GLuint program))                                                                          \
  X(GetUniformLocation, GLint, (GLuint program, const GLchar* name))                                             \
  X(Uniform1i, void, (GLint location, GLint v0))                                                                 \
  X(Uniform2f, void, (GLint location, GLfloat v0, GLfloat v1))

// Framebuffer objects are core since 3.0; a 2.1 driver may only offer them
// under their extension names, which the loader tries second.
#define SKITTERWORM_GL_FRAMEBUFFER_FUNCTIONS(X)                                                                    \
  X(GenFramebuffers, void, (GLsizei n, GLuint * framebuffers))                                                     \
  X(DeleteFramebuffers, void, (GLsizei n, const GLuint* framebuffers))                                             \
  X(BindFramebuffer, void, (GLenum target, GLuint framebuffer))                                                    \
  X(FramebufferTexture2D, void, (GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level)) \
  X(CheckFramebufferStatus, GLenum, (GLenum target))

// Vertex array objects: required by a core context, absent from some 2.1 ones.
#define SKITTERWORM_GL_VERTEX_ARRAY_FUNCTIONS(X)                 \
  X(GenVertexArrays, void, (GLsizei n, GLuint * arrays))         \
  X(DeleteVertexArrays, void, (GLsizei n, const GLuint* arrays)) \
  X(BindVertexArray, void, (GLuint array))

// Framebuffer blits (core since 3.0): the cheapest way to show the picture.
#define SKITTERWORM_GL_BLIT_FUNCTIONS(X)                                                                      \
  X(BlitFramebuffer, void,                                                                                    \
    (GLint sx0, GLint sy0, GLint sx1, GLint sy1, GLint dx0, GLint dy0, GLint dx1, GLint dy1, GLbitfield mask, \
     GLenum filter))

// The fixed-function pipeline of a compatibility context: drawing without a
// shader of our own spares the driver its shading-language compiler.
#define SKITTERWORM_GL_FIXED_FUNCTIONS(X)                                            \
  X(EnableClientState, void, (GLenum array))                                         \
  X(VertexPointer, void, (GLint size, GLenum type, GLsizei stride, const void* p))   \
  X(TexCoordPointer, void, (GLint size, GLenum type, GLsizei stride, const void* p)) \
  X(ColorPointer, void, (GLint size, GLenum type, GLsizei stride, const void* p))    \
  X(AlphaFunc, void, (GLenum func, GLfloat ref))                                     \
  X(TexEnvi, void, (GLenum target, GLenum pname, GLint param))

#define SKITTERWORM_GL_DECLARE(name, ret, params) \
  using name##Fn = ret(*) params;                 \
  extern name##Fn name;
SKITTERWORM_GL_FUNCTIONS(SKITTERWORM_GL_DECLARE)
SKITTERWORM_GL_FRAMEBUFFER_FUNCTIONS(SKITTERWORM_GL_DECLARE)
SKITTERWORM_GL_VERTEX_ARRAY_FUNCTIONS(SKITTERWORM_GL_DECLARE)
SKITTERWORM_GL_BLIT_FUNCTIONS(SKITTERWORM_GL_DECLARE)
SKITTERWORM_GL_FIXED_FUNCTIONS(SKITTERWORM_GL_DECLARE)
#undef SKITTERWORM_GL_DECLARE

// Fetches every entry point for the current context. Returns false (naming the
// first missing function in the debug log) when a required one is absent;
// vertex arrays and the fixed-function pipeline are optional and reported by
// HasVertexArrays and HasFixedFunction.
bool Load();
bool HasVertexArrays();
bool HasFixedFunction();

}  // namespace gl
