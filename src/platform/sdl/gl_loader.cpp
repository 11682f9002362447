#include "platform/sdl/gl_loader.h"

#include <SDL.h>

#include <string>

#include "platform/log.h"

namespace gl {

#define SKITTERWORM_GL_DEFINE(name, ret, params) name##Fn name = nullptr;
SKITTERWORM_GL_FUNCTIONS(SKITTERWORM_GL_DEFINE)
SKITTERWORM_GL_FRAMEBUFFER_FUNCTIONS(SKITTERWORM_GL_DEFINE)
SKITTERWORM_GL_VERTEX_ARRAY_FUNCTIONS(SKITTERWORM_GL_DEFINE)
SKITTERWORM_GL_BLIT_FUNCTIONS(SKITTERWORM_GL_DEFINE)
SKITTERWORM_GL_FIXED_FUNCTIONS(SKITTERWORM_GL_DEFINE)
#undef SKITTERWORM_GL_DEFINE

namespace {

// Looks the function up under its core name, then under the given suffixes.
template <typename Fn>
bool Fetch(Fn& slot, const char* name, std::initializer_list<const char*> suffixes = {}) {
  const std::string base = std::string("gl") + name;
  slot = reinterpret_cast<Fn>(SDL_GL_GetProcAddress(base.c_str()));
  for (const char* suffix : suffixes) {
    if (slot) break;
    slot = reinterpret_cast<Fn>(SDL_GL_GetProcAddress((base + suffix).c_str()));
  }
  return slot != nullptr;
}

void ReportMissing(const char* name) { DebugLog(std::string("OpenGL: missing entry point gl") + name); }

}  // namespace

bool Load() {
  bool ok = true;
#define SKITTERWORM_GL_FETCH(name, ret, params) \
  if (!Fetch(name, #name)) {                    \
    ReportMissing(#name);                       \
    ok = false;                                 \
  }
  SKITTERWORM_GL_FUNCTIONS(SKITTERWORM_GL_FETCH)
#undef SKITTERWORM_GL_FETCH
#define SKITTERWORM_GL_FETCH_EXT(name, ret, params) \
  if (!Fetch(name, #name, {"EXT"})) {               \
    ReportMissing(#name);                           \
    ok = false;                                     \
  }
  SKITTERWORM_GL_FRAMEBUFFER_FUNCTIONS(SKITTERWORM_GL_FETCH_EXT)
#undef SKITTERWORM_GL_FETCH_EXT
#define SKITTERWORM_GL_FETCH_OPTIONAL(name, ret, params) Fetch(name, #name, {"APPLE"});
  SKITTERWORM_GL_VERTEX_ARRAY_FUNCTIONS(SKITTERWORM_GL_FETCH_OPTIONAL)
#undef SKITTERWORM_GL_FETCH_OPTIONAL
  Fetch(BlitFramebuffer, "BlitFramebuffer", {"EXT"});
#define SKITTERWORM_GL_FETCH_FIXED(name, ret, params) Fetch(name, #name);
  SKITTERWORM_GL_FIXED_FUNCTIONS(SKITTERWORM_GL_FETCH_FIXED)
#undef SKITTERWORM_GL_FETCH_FIXED
  return ok;
}

bool HasVertexArrays() { return GenVertexArrays && DeleteVertexArrays && BindVertexArray; }


bool HasFixedFunction() {
  return EnableClientState && VertexPointer && TexCoordPointer && ColorPointer && AlphaFunc && TexEnvi;
}

}  // namespace gl
