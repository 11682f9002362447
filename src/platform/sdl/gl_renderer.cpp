#include "platform/sdl/gl_renderer.h"

#include <SDL_endian.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "platform/log.h"

namespace {

// Texel colour times vertex colour. In mask mode a fragment below half opacity
// is dropped and the rest is written opaque, so masked sprites get hard edges.
constexpr const char* kVertex330 = R"(#version 330 core
in vec2 a_pos;
in vec2 a_uv;
in vec4 a_color;
uniform vec2 u_size;
out vec2 v_uv;
out vec4 v_color;
void main() {
  v_uv = a_uv;
  v_color = a_color;
  gl_Position = vec4(a_pos.x * 2.0 / u_size.x - 1.0, 1.0 - a_pos.y * 2.0 / u_size.y, 0.0, 1.0);
}
)";

constexpr const char* kFragment330 = R"(#version 330 core
in vec2 v_uv;
in vec4 v_color;
uniform sampler2D u_texture;
uniform int u_mask;
out vec4 o_color;
void main() {
  vec4 c = texture(u_texture, v_uv) * v_color;
  if (u_mask != 0) {
    if (c.a < 0.5) discard;
    c.a = 1.0;
  }
  o_color = c;
}
)";

constexpr const char* kVertex120 = R"(#version 120
attribute vec2 a_pos;
attribute vec2 a_uv;
attribute vec4 a_color;
uniform vec2 u_size;
varying vec2 v_uv;
varying vec4 v_color;
void main() {
  v_uv = a_uv;
  v_color = a_color;
  gl_Position = vec4(a_pos.x * 2.0 / u_size.x - 1.0, 1.0 - a_pos.y * 2.0 / u_size.y, 0.0, 1.0);
}
)";

constexpr const char* kFragment120 = R"(#version 120
varying vec2 v_uv;
varying vec4 v_color;
uniform sampler2D u_texture;
uniform int u_mask;
void main() {
  vec4 c = texture2D(u_texture, v_uv) * v_color;
  if (u_mask != 0) {
    if (c.a < 0.5) discard;
    c.a = 1.0;
  }
  gl_FragColor = c;
}
)";

constexpr GLuint kAttrPos = 0, kAttrUv = 1, kAttrColor = 2;
// The alpha byte of an RGBA pixel as it lies in memory.
constexpr uint32_t kOpaque = SDL_BYTEORDER == SDL_LIL_ENDIAN ? 0xFF000000u : 0x000000FFu;

GLuint CompileShader(GLenum type, const char* source) {
  GLuint shader = gl::CreateShader(type);
  gl::ShaderSource(shader, 1, &source, nullptr);
  gl::CompileShader(shader);
  GLint ok = 0;
  gl::GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    GLint length = 0;
    gl::GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(std::max(length, 1), '\0');
    gl::GetShaderInfoLog(shader, length, nullptr, log.data());
    DebugLog("OpenGL: shader does not compile: " + log);
    gl::DeleteShader(shader);
    return 0;
  }
  return shader;
}

// Picture pixels (y down) to clip space, by the same arithmetic as the shaders.
Vertex ToClip(Vertex v, float width, float height) {
  v.x = v.x * 2.0f / width - 1.0f;
  v.y = 1.0f - v.y * 2.0f / height;
  return v;
}

void SetTextureParameters() {
  gl::TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gl::TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl::TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl::TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

PictureLayout FitPicture(int picture_w, int picture_h, int window_w, int window_h) {
  PictureLayout layout;
  if (picture_w > 0 && picture_h > 0) layout.scale = std::max(1, std::min(window_w / picture_w, window_h / picture_h));
  layout.offset_x = (window_w - picture_w * layout.scale) / 2;
  layout.offset_y = (window_h - picture_h * layout.scale) / 2;
  return layout;
}

void ScreenToPicture(const PictureLayout& layout, int picture_w, int picture_h, int sx, int sy, int& px, int& py) {
  const auto to_picture = [&layout](int s, int offset) {
    const int d = s - offset;
    return d >= 0 ? d / layout.scale : -1;
  };
  px = std::clamp(to_picture(sx, layout.offset_x), 0, std::max(picture_w - 1, 0));
  py = std::clamp(to_picture(sy, layout.offset_y), 0, std::max(picture_h - 1, 0));
}

void PictureToScreen(const PictureLayout& layout, int px, int py, int& sx, int& sy) {
  sx = layout.offset_x + px * layout.scale + layout.scale / 2;
  sy = layout.offset_y + py * layout.scale + layout.scale / 2;
}

bool GlRenderer::Init(GlPipeline pipeline) {
  Shutdown();
  fixed_ = pipeline == GlPipeline::kFixed;
  const bool core = pipeline == GlPipeline::kCore;
  if (fixed_) {
    if (!gl::HasFixedFunction()) {
      DebugLog("OpenGL: no fixed-function pipeline");
      return false;
    }
    // Texel colour times vertex colour; in mask mode a fragment below half
    // opacity is dropped (the matrices stay the identity).
    gl::Enable(GL_TEXTURE_2D);
    gl::TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    gl::AlphaFunc(GL_GEQUAL, 0.5f);
  } else {
    if (!BuildProgram(core)) return false;
    gl::UseProgram(program_);
    gl::Uniform1i(gl::GetUniformLocation(program_, "u_texture"), 0);
  }
  gl::ActiveTexture(GL_TEXTURE0);

  // A core context cannot draw without a vertex array object; a 2.1 one keeps
  // the attribute setup as global state instead.
  if (core) {
    if (!gl::HasVertexArrays()) {
      DebugLog("OpenGL: core context without vertex array objects");
      Shutdown();
      return false;
    }
    gl::GenVertexArrays(1, &vao_);
    gl::BindVertexArray(vao_);
  }
  gl::GenBuffers(1, &vbo_);
  gl::BindBuffer(GL_ARRAY_BUFFER, vbo_);
  vbo_capacity_ = 0;
  SetUpAttributes();

  gl::Disable(GL_DEPTH_TEST);
  gl::Disable(GL_CULL_FACE);
  gl::Disable(GL_SCISSOR_TEST);
  gl::Disable(GL_DITHER);
  gl::PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gl::PixelStorei(GL_PACK_ALIGNMENT, 1);

  queued_vertices_.reserve(kKeptVertices);
  commands_.reserve(kKeptCommands);
  ready_ = true;
  // A 1x1 white atlas until the first upload, so early draws show flat colour.
  const uint32_t white = 0xFFFFFFFFu;
  UploadAtlas(&white, 1, 1, 0, 0, 1, 1);
  blend_state_ = -1;
  return true;
}

void GlRenderer::SetUpAttributes() {
  const auto stride = static_cast<GLsizei>(sizeof(Vertex));
  const auto at = [](size_t offset) { return reinterpret_cast<const void*>(offset); };
  if (fixed_) {
    gl::EnableClientState(GL_VERTEX_ARRAY);
    gl::VertexPointer(2, GL_FLOAT, stride, at(offsetof(Vertex, x)));
    gl::EnableClientState(GL_TEXTURE_COORD_ARRAY);
    gl::TexCoordPointer(2, GL_FLOAT, stride, at(offsetof(Vertex, u)));
    gl::EnableClientState(GL_COLOR_ARRAY);
    gl::ColorPointer(4, GL_UNSIGNED_BYTE, stride, at(offsetof(Vertex, r)));
    return;
  }
  gl::EnableVertexAttribArray(kAttrPos);
  gl::VertexAttribPointer(kAttrPos, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, x)));
  gl::EnableVertexAttribArray(kAttrUv);
  gl::VertexAttribPointer(kAttrUv, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(Vertex, u)));
  gl::EnableVertexAttribArray(kAttrColor);
  gl::VertexAttribPointer(kAttrColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(Vertex, r)));
}

bool GlRenderer::BuildProgram(bool core) {
  GLuint vs = CompileShader(GL_VERTEX_SHADER, core ? kVertex330 : kVertex120);
  GLuint fs = CompileShader(GL_FRAGMENT_SHADER, core ? kFragment330 : kFragment120);
  if (!vs || !fs) {
    if (vs) gl::DeleteShader(vs);
    if (fs) gl::DeleteShader(fs);
    return false;
  }
  GLuint program = gl::CreateProgram();
  gl::AttachShader(program, vs);
  gl::AttachShader(program, fs);
  gl::BindAttribLocation(program, kAttrPos, "a_pos");
  gl::BindAttribLocation(program, kAttrUv, "a_uv");
  gl::BindAttribLocation(program, kAttrColor, "a_color");
  gl::LinkProgram(program);
  gl::DeleteShader(vs);
  gl::DeleteShader(fs);
  GLint ok = 0;
  gl::GetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    GLint length = 0;
    gl::GetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(std::max(length, 1), '\0');
    gl::GetProgramInfoLog(program, length, nullptr, log.data());
    DebugLog("OpenGL: shader program does not link: " + log);
    gl::DeleteProgram(program);
    return false;
  }
  program_ = program;
  u_size_ = gl::GetUniformLocation(program_, "u_size");
  u_mask_ = gl::GetUniformLocation(program_, "u_mask");
  return true;
}

void GlRenderer::Shutdown() {
  commands_.clear();
  queued_vertices_.clear();
  if (fbo_) gl::DeleteFramebuffers(1, &fbo_);
  if (picture_) gl::DeleteTextures(1, &picture_);
  if (atlas_) gl::DeleteTextures(1, &atlas_);
  if (vbo_) gl::DeleteBuffers(1, &vbo_);
  if (vao_) gl::DeleteVertexArrays(1, &vao_);
  if (program_) gl::DeleteProgram(program_);
  fbo_ = picture_ = atlas_ = vbo_ = vao_ = program_ = 0;
  ready_ = false;
  picture_w_ = picture_h_ = atlas_w_ = atlas_h_ = 0;
  target_chosen_ = false;
  vbo_capacity_ = 0;
  blend_state_ = -1;
}

bool GlRenderer::SetPictureSize(int width, int height) {
  if (!ready() || width <= 0 || height <= 0) return false;
  Submit();
  // The offscreen picture is made when a frame first needs it: a window that
  // shows the picture 1:1 never does.
  if (width != picture_w_ || height != picture_h_) DropOffscreen();
  picture_w_ = width;
  picture_h_ = height;
  target_chosen_ = false;
  return true;
}

bool GlRenderer::MakeOffscreen(int width, int height) {
  tiles_x_ = (width + kTile - 1) / kTile;
  tiles_y_ = (height + kTile - 1) / kTile;
  drawn_tiles_.assign(size_t(tiles_x_) * size_t(tiles_y_), 1);
  // A quad for every run of drawn tiles in a row: at most every other tile.
  tile_quads_.reserve(size_t((tiles_x_ + 1) / 2) * size_t(tiles_y_) * 6);
  if (!picture_) gl::GenTextures(1, &picture_);
  gl::BindTexture(GL_TEXTURE_2D, picture_);
  SetTextureParameters();
  // No alpha channel: the picture is opaque, and reads back opaque, whatever
  // the blend modes do.
  gl::TexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  if (!fbo_) gl::GenFramebuffers(1, &fbo_);
  gl::BindFramebuffer(GL_FRAMEBUFFER, fbo_);
  gl::FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture_, 0);
  if (gl::CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    DebugLog("OpenGL: offscreen picture of " + std::to_string(width) + "x" + std::to_string(height) + " is not usable");
    gl::BindFramebuffer(GL_FRAMEBUFFER, 0);
    return false;
  }
  return true;
}

void GlRenderer::DropOffscreen() {
  if (fbo_) gl::DeleteFramebuffers(1, &fbo_);
  if (picture_) gl::DeleteTextures(1, &picture_);
  fbo_ = picture_ = 0;
  std::vector<uint8_t>().swap(drawn_tiles_);
  std::vector<Vertex>().swap(tile_quads_);
  tiles_x_ = tiles_y_ = 0;
}

void GlRenderer::DrawIntoWindow(bool direct, int x, int y) {
  if (!has_picture()) return;
  if (!direct) x = y = 0;
  if (target_chosen_ && direct == direct_ && x == origin_x_ && y == origin_y_) return;
  Submit();
  target_chosen_ = true;
  direct_ = direct;
  origin_x_ = x;
  origin_y_ = y;
  // The offscreen picture is as large as the window's own buffer (4.9 MB at
  // 1280x960): it is kept only while frames need it.
  if (direct) {
    DropOffscreen();
  } else if (!fbo_ && !MakeOffscreen(picture_w_, picture_h_)) {
    DebugLog("OpenGL: the offscreen picture of " + std::to_string(picture_w_) + "x" + std::to_string(picture_h_) +
             " cannot be made; drawing into the window");
    direct_ = true;
  }
  BindPicture();
}

void GlRenderer::BindPicture() {
  gl::BindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : fbo_);
  gl::Viewport(origin_x_, origin_y_, picture_w_, picture_h_);
  // In a window larger than the picture, nothing (a clear included) may
  // spill from the picture onto the black border around it.
  if (origin_x_ != 0 || origin_y_ != 0) {
    gl::Enable(GL_SCISSOR_TEST);
    gl::Scissor(origin_x_, origin_y_, picture_w_, picture_h_);
  } else {
    gl::Disable(GL_SCISSOR_TEST);
  }
  if (!fixed_) gl::Uniform2f(u_size_, static_cast<float>(picture_w_), static_cast<float>(picture_h_));
  gl::BindTexture(GL_TEXTURE_2D, atlas_);
}

void GlRenderer::UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h) {
  if (!ready() || !pixels || width <= 0 || height <= 0) return;
  // Draws already queued were made against the atlas as it was.
  Submit();
  if (!atlas_) gl::GenTextures(1, &atlas_);
  gl::BindTexture(GL_TEXTURE_2D, atlas_);
  gl::PixelStorei(GL_UNPACK_ROW_LENGTH, width);
  if (width != atlas_w_ || height != atlas_h_) {
    // A new atlas size: the texture is reallocated, and only the region asked
    // for is filled. Nothing is drawn from the rest until it is uploaded, so
    // the driver need not make those pages real.
    SetTextureParameters();
    gl::TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    atlas_w_ = width;
    atlas_h_ = height;
  }
  x = std::clamp(x, 0, width);
  y = std::clamp(y, 0, height);
  w = std::clamp(w, 0, width - x);
  h = std::clamp(h, 0, height - y);
  if (w > 0 && h > 0) {
    gl::TexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE,
                      pixels + static_cast<size_t>(y) * width + x);
  }
  gl::PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void GlRenderer::Clear(uint8_t r, uint8_t g, uint8_t b) {
  if (!has_picture()) return;
  // Whatever is still queued would be covered by the clear: it is dropped.
  commands_.clear();
  queued_vertices_.clear();
  if (origin_x_ != 0 || origin_y_ != 0) {
    // The window's buffer holds nothing after a swap: its border is made black again.
    gl::Disable(GL_SCISSOR_TEST);
    gl::ClearColor(0, 0, 0, 1);
    gl::Clear(GL_COLOR_BUFFER_BIT);
    gl::Enable(GL_SCISSOR_TEST);
  }
  gl::ClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
  gl::Clear(GL_COLOR_BUFFER_BIT);
  // A picture cleared to black shows as the window's own black until drawn on.
  std::fill(drawn_tiles_.begin(), drawn_tiles_.end(), uint8_t(r != 0 || g != 0 || b != 0));
}

void GlRenderer::ApplyBlend(Blend blend) {
  const int state = static_cast<int>(blend);
  if (state == blend_state_) return;
  blend_state_ = state;
  if (!fixed_)
    gl::Uniform1i(u_mask_, blend == Blend::kMask ? 1 : 0);
  else if (blend == Blend::kMask)
    gl::Enable(GL_ALPHA_TEST);
  else
    gl::Disable(GL_ALPHA_TEST);
  switch (blend) {
    case Blend::kMask:
    case Blend::kSolid:
      gl::Disable(GL_BLEND);
      return;
    case Blend::kAlpha:
      gl::BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case Blend::kLight:
      gl::BlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case Blend::kShade:
      gl::BlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    default:
      // An unknown mode draws like solid rather than not at all.
      gl::Disable(GL_BLEND);
      return;
  }
  gl::Enable(GL_BLEND);
}

void GlRenderer::Stream(const Vertex* vertices, int count) {
  const auto bytes = static_cast<GLsizeiptr>(count) * static_cast<GLsizeiptr>(sizeof(Vertex));
  // Sized by this frame's need: one frame of a hundred thousand quads must
  // not leave every later frame orphaning a buffer of that size.
  vbo_capacity_ = std::max<GLsizeiptr>(std::bit_ceil(static_cast<size_t>(bytes)), 64 * 1024);
  // Orphaning the old storage lets the driver keep drawing from it while we fill new storage.
  gl::BufferData(GL_ARRAY_BUFFER, vbo_capacity_, nullptr, GL_STREAM_DRAW);
  gl::BufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices);
}

void GlRenderer::DrawTriangles(Blend blend, const Vertex* vertices, int count) {
  if (!has_picture() || !vertices || count < 3) return;
  count -= count % 3;
  if (!direct_) MarkDrawnTiles(vertices, count);
  // Queued, not drawn: the whole frame goes to the GPU in one upload, so a
  // blend change costs a draw call and not a buffer upload of its own.
  const int first = static_cast<int>(queued_vertices_.size());
  if (!commands_.empty() && commands_.back().blend == blend) {
    commands_.back().count += count;
  } else {
    commands_.push_back({blend, first, count});
  }
  if (!fixed_) {
    queued_vertices_.insert(queued_vertices_.end(), vertices, vertices + count);
    return;
  }
  const auto w = static_cast<float>(picture_w_), h = static_cast<float>(picture_h_);
  for (int i = 0; i < count; ++i) queued_vertices_.push_back(ToClip(vertices[i], w, h));
}

void GlRenderer::Submit() {
  if (commands_.empty()) return;
  Stream(queued_vertices_.data(), static_cast<int>(queued_vertices_.size()));
  for (const Command& command : commands_) {
    ApplyBlend(command.blend);
    gl::DrawArrays(GL_TRIANGLES, command.first, command.count);
  }
  // The capacity stays, so steady frames allocate nothing; what one crowded
  // frame took beyond the usual is given back.
  const size_t used = queued_vertices_.size(), used_commands = commands_.size();
  commands_.clear();
  queued_vertices_.clear();
  if (queued_vertices_.capacity() > std::max(kKeptVertices, 4 * used)) {
    std::vector<Vertex>().swap(queued_vertices_);
    queued_vertices_.reserve(std::max(kKeptVertices, 2 * used));
  }
  if (commands_.capacity() > std::max(kKeptCommands, 4 * used_commands)) {
    std::vector<Command>().swap(commands_);
    commands_.reserve(std::max(kKeptCommands, 2 * used_commands));
  }
}

size_t GlRenderer::KeptBytes() const {
  return size_t(vbo_capacity_) + queued_vertices_.capacity() * sizeof(Vertex) + commands_.capacity() * sizeof(Command);
}

void GlRenderer::Present(int window_w, int window_h, const PictureLayout& layout) {
  if (!has_picture() || window_w <= 0 || window_h <= 0) return;
  Submit();
  // Drawn straight into the window: nothing to copy. (Should the window have
  // been resized during the frame, it shows this one frame uncentred.) Before
  // the first frame of a display there is nothing to show either.
  if (direct_ || !fbo_) return;
  gl::BindFramebuffer(GL_FRAMEBUFFER, 0);
  gl::Viewport(0, 0, window_w, window_h);
  // The whole window black at once (the border, and the tiles nothing was
  // drawn on): far cheaper than clearing the border alone, within a scissor.
  gl::Disable(GL_SCISSOR_TEST);
  gl::ClearColor(0, 0, 0, 1);
  gl::Clear(GL_COLOR_BUFFER_BIT);
  DrawDrawnTiles(layout, window_w, window_h);
  BindPicture();
}

void GlRenderer::MarkDrawnTiles(const Vertex* vertices, int count) {
  if (drawn_tiles_.empty()) return;
  const float width = float(picture_w_), height = float(picture_h_);
  for (int i = 0; i + 2 < count; i += 3) {
    const Vertex &a = vertices[i], &b = vertices[i + 1], &c = vertices[i + 2];
    const float x0 = std::min({a.x, b.x, c.x}), x1 = std::max({a.x, b.x, c.x});
    const float y0 = std::min({a.y, b.y, c.y}), y1 = std::max({a.y, b.y, c.y});
    // Off the picture (or not a number): it covers nothing.
    if (!(x1 >= 0 && y1 >= 0 && x0 < width && y0 < height)) continue;
    const int tx0 = int(std::max(x0, 0.0f)) / kTile, tx1 = std::min(int(x1) / kTile, tiles_x_ - 1);
    const int ty0 = int(std::max(y0, 0.0f)) / kTile, ty1 = std::min(int(y1) / kTile, tiles_y_ - 1);
    for (int ty = ty0; ty <= ty1; ++ty)
      std::fill_n(drawn_tiles_.begin() + ptrdiff_t(ty) * tiles_x_ + tx0, tx1 - tx0 + 1, uint8_t(1));
  }
}

void GlRenderer::DrawDrawnTiles(const PictureLayout& layout, int window_w, int window_h) {
  tile_quads_.clear();
  const float width = float(picture_w_), height = float(picture_h_), scale = float(layout.scale);
  const float window_wf = float(window_w), window_hf = float(window_h);
  for (int ty = 0; ty < tiles_y_; ++ty) {
    const uint8_t* row = drawn_tiles_.data() + size_t(ty) * size_t(tiles_x_);
    for (int tx = 0; tx < tiles_x_;) {
      if (!row[tx]) {
        ++tx;
        continue;
      }
      int end = tx;
      while (end < tiles_x_ && row[end]) ++end;
      // One quad over the run, picture pixels to window pixels (y down); the
      // picture texture holds its top row at v = 1 (GL rows run bottom-up).
      const float px0 = float(tx * kTile), px1 = std::min(width, float(end * kTile));
      const float py0 = float(ty * kTile), py1 = std::min(height, float((ty + 1) * kTile));
      const float x0 = float(layout.offset_x) + px0 * scale, x1 = float(layout.offset_x) + px1 * scale;
      const float y0 = float(layout.offset_y) + py0 * scale, y1 = float(layout.offset_y) + py1 * scale;
      const float u0 = px0 / width, u1 = px1 / width, v0 = 1.0f - py0 / height, v1 = 1.0f - py1 / height;
      const Vertex quad[6] = {
          {x0, y0, u0, v0, 255, 255, 255, 255}, {x1, y0, u1, v0, 255, 255, 255, 255},
          {x1, y1, u1, v1, 255, 255, 255, 255}, {x0, y0, u0, v0, 255, 255, 255, 255},
          {x1, y1, u1, v1, 255, 255, 255, 255}, {x0, y1, u0, v1, 255, 255, 255, 255},
      };
      for (const Vertex& v : quad) tile_quads_.push_back(fixed_ ? ToClip(v, window_wf, window_hf) : v);
      tx = end;
    }
  }
  if (tile_quads_.empty()) return;
  ApplyBlend(Blend::kSolid);
  if (!fixed_) gl::Uniform2f(u_size_, window_wf, window_hf);
  gl::BindTexture(GL_TEXTURE_2D, picture_);
  Stream(tile_quads_.data(), static_cast<int>(tile_quads_.size()));
  // The fixed pipeline takes the texel as it is, not tinted by the vertex
  // colour: the driver's plainest texture copy.
  if (fixed_) gl::TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  gl::DrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(tile_quads_.size()));
  if (fixed_) gl::TexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

bool GlRenderer::ReadPixels(int x, int y, int w, int h, uint32_t* out) {
  if (!has_picture() || !out || w <= 0 || h <= 0) return false;
  Submit();
  std::fill(out, out + static_cast<size_t>(w) * h, 0u);
  // Only the part inside the picture is read; the rest stays transparent black.
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + w, picture_w_), bottom = std::min(y + h, picture_h_);
  if (right <= left || bottom <= top) return true;
  const int rw = right - left, rh = bottom - top;
  std::vector<uint32_t> rows(static_cast<size_t>(rw) * rh);
  gl::ReadPixels(origin_x_ + left, origin_y_ + picture_h_ - bottom, rw, rh, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  // The window's own buffer may keep what the blend modes left in its alpha;
  // the picture is opaque.
  for (uint32_t& pixel : rows) pixel |= kOpaque;
  // GL hands rows over bottom-up; the caller wants the top row first.
  for (int row = 0; row < rh; ++row) {
    const uint32_t* src = rows.data() + static_cast<size_t>(rh - 1 - row) * rw;
    uint32_t* dst = out + static_cast<size_t>(top - y + row) * w + (left - x);
    std::memcpy(dst, src, sizeof(uint32_t) * rw);
  }
  return true;
}
