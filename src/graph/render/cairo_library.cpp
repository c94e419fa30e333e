// cairo is opened when a canvas first needs it (a PDF, smooth drawing), not when the program
// starts: the pictures most runs write never touch it, and loading it with the X libraries it
// brings costs a one-picture run of kurvex-plot a tenth of its time. The canvas calls cairo's
// functions by their names; each name below passes the call on to the loaded library (a cairo
// function the canvas starts to use and this file lacks fails the link, not a run).
#include "graph/render/cairo_library.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <dlfcn.h>

#include <string>

#include "common/error.h"

namespace kurvex {
namespace {

constexpr const char* kCairoLibrary = "libcairo.so.2";

#define KURVEX_CAIRO_FUNCTIONS(X)          \
  X(cairo_clip)                            \
  X(cairo_clip_preserve)                   \
  X(cairo_close_path)                      \
  X(cairo_create)                          \
  X(cairo_destroy)                         \
  X(cairo_fill)                            \
  X(cairo_font_face_destroy)               \
  X(cairo_font_options_create)             \
  X(cairo_font_options_destroy)            \
  X(cairo_font_options_set_antialias)      \
  X(cairo_font_options_set_hint_metrics)   \
  X(cairo_font_options_set_hint_style)     \
  X(cairo_ft_font_face_create_for_pattern) \
  X(cairo_ft_font_face_set_synthesize)     \
  X(cairo_get_font_options)                \
  X(cairo_image_surface_create_for_data)   \
  X(cairo_line_to)                         \
  X(cairo_matrix_init)                     \
  X(cairo_move_to)                         \
  X(cairo_paint)                           \
  X(cairo_pattern_create_for_surface)      \
  X(cairo_pattern_destroy)                 \
  X(cairo_pdf_surface_create_for_stream)   \
  X(cairo_pdf_surface_set_metadata)        \
  X(cairo_recording_surface_create)        \
  X(cairo_rectangle)                       \
  X(cairo_restore)                         \
  X(cairo_rotate)                          \
  X(cairo_save)                            \
  X(cairo_scale)                           \
  X(cairo_set_font_face)                   \
  X(cairo_set_font_matrix)                 \
  X(cairo_set_font_options)                \
  X(cairo_set_line_cap)                    \
  X(cairo_set_line_join)                   \
  X(cairo_set_line_width)                  \
  X(cairo_set_source)                      \
  X(cairo_set_source_rgb)                  \
  X(cairo_show_text_glyphs)                \
  X(cairo_status)                          \
  X(cairo_status_to_string)                \
  X(cairo_stroke)                          \
  X(cairo_surface_destroy)                 \
  X(cairo_surface_finish)                  \
  X(cairo_surface_flush)                   \
  X(cairo_surface_status)                  \
  X(cairo_translate)

enum Function {
#define KURVEX_CAIRO_INDEX(name) k_##name,
  KURVEX_CAIRO_FUNCTIONS(KURVEX_CAIRO_INDEX)
#undef KURVEX_CAIRO_INDEX
      kFunctionCount
};

constexpr const char* kNames[kFunctionCount] = {
#define KURVEX_CAIRO_NAME(name) #name,
    KURVEX_CAIRO_FUNCTIONS(KURVEX_CAIRO_NAME)
#undef KURVEX_CAIRO_NAME
};

struct Library {
  void* functions[kFunctionCount] = {};
  std::string error;  // why it could not be loaded; empty once every function is found
};

// Opened once and kept: cairo keeps caches of its own that live until the process ends.
const Library& Loaded() {
  static const Library library = [] {
    Library l;
    void* handle = dlopen(kCairoLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* reason = dlerror();
      l.error = reason ? reason : kCairoLibrary;
      return l;
    }
    for (int i = 0; i < kFunctionCount; ++i) {
      l.functions[i] = dlsym(handle, kNames[i]);
      if (!l.functions[i]) {
        l.error = std::string(kCairoLibrary) + " has no " + kNames[i];
        return l;
      }
    }
    return l;
  }();
  return library;
}

}  // namespace

void LoadCairo() {
  const Library& library = Loaded();
  if (!library.error.empty()) {
    throw Error("PDF and smooth drawing need the cairo library, which could not be loaded (" +
                library.error + ")");
  }
}

namespace {

template <typename F>
F Get(Function f) {
  LoadCairo();
  return reinterpret_cast<F>(Loaded().functions[f]);
}

}  // namespace
}  // namespace kurvex

#define KURVEX_CAIRO_CALL(name) kurvex::Get<decltype(&::name)>(kurvex::k_##name)

extern "C" {

void cairo_clip(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_clip)(cr);
}
void cairo_clip_preserve(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_clip_preserve)(cr);
}
void cairo_close_path(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_close_path)(cr);
}
cairo_t* cairo_create(cairo_surface_t* target) {
  return KURVEX_CAIRO_CALL(cairo_create)(target);
}
void cairo_destroy(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_destroy)(cr);
}
void cairo_fill(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_fill)(cr);
}
void cairo_font_face_destroy(cairo_font_face_t* font_face) {
  KURVEX_CAIRO_CALL(cairo_font_face_destroy)(font_face);
}
cairo_font_options_t* cairo_font_options_create() {
  return KURVEX_CAIRO_CALL(cairo_font_options_create)();
}
void cairo_font_options_destroy(cairo_font_options_t* options) {
  KURVEX_CAIRO_CALL(cairo_font_options_destroy)(options);
}
void cairo_font_options_set_antialias(cairo_font_options_t* options, cairo_antialias_t antialias) {
  KURVEX_CAIRO_CALL(cairo_font_options_set_antialias)(options, antialias);
}
void cairo_font_options_set_hint_metrics(cairo_font_options_t* options,
                                         cairo_hint_metrics_t hint_metrics) {
  KURVEX_CAIRO_CALL(cairo_font_options_set_hint_metrics)(options, hint_metrics);
}
void cairo_font_options_set_hint_style(cairo_font_options_t* options,
                                       cairo_hint_style_t hint_style) {
  KURVEX_CAIRO_CALL(cairo_font_options_set_hint_style)(options, hint_style);
}
cairo_font_face_t* cairo_ft_font_face_create_for_pattern(FcPattern* pattern) {
  return KURVEX_CAIRO_CALL(cairo_ft_font_face_create_for_pattern)(pattern);
}
void cairo_ft_font_face_set_synthesize(cairo_font_face_t* font_face, unsigned int synth_flags) {
  KURVEX_CAIRO_CALL(cairo_ft_font_face_set_synthesize)(font_face, synth_flags);
}
void cairo_get_font_options(cairo_t* cr, cairo_font_options_t* options) {
  KURVEX_CAIRO_CALL(cairo_get_font_options)(cr, options);
}
cairo_surface_t* cairo_image_surface_create_for_data(unsigned char* data, cairo_format_t format,
                                                     int width, int height, int stride) {
  return KURVEX_CAIRO_CALL(cairo_image_surface_create_for_data)(data, format, width, height,
                                                                stride);
}
void cairo_line_to(cairo_t* cr, double x, double y) {
  KURVEX_CAIRO_CALL(cairo_line_to)(cr, x, y);
}
void cairo_matrix_init(cairo_matrix_t* matrix, double xx, double yx, double xy, double yy,
                       double x0, double y0) {
  KURVEX_CAIRO_CALL(cairo_matrix_init)(matrix, xx, yx, xy, yy, x0, y0);
}
void cairo_move_to(cairo_t* cr, double x, double y) {
  KURVEX_CAIRO_CALL(cairo_move_to)(cr, x, y);
}
void cairo_paint(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_paint)(cr);
}
cairo_pattern_t* cairo_pattern_create_for_surface(cairo_surface_t* surface) {
  return KURVEX_CAIRO_CALL(cairo_pattern_create_for_surface)(surface);
}
void cairo_pattern_destroy(cairo_pattern_t* pattern) {
  KURVEX_CAIRO_CALL(cairo_pattern_destroy)(pattern);
}
cairo_surface_t* cairo_pdf_surface_create_for_stream(cairo_write_func_t write_func, void* closure,
                                                     double width_in_points,
                                                     double height_in_points) {
  return KURVEX_CAIRO_CALL(cairo_pdf_surface_create_for_stream)(write_func, closure,
                                                                width_in_points, height_in_points);
}
void cairo_pdf_surface_set_metadata(cairo_surface_t* surface, cairo_pdf_metadata_t metadata,
                                    const char* utf8) {
  KURVEX_CAIRO_CALL(cairo_pdf_surface_set_metadata)(surface, metadata, utf8);
}
cairo_surface_t* cairo_recording_surface_create(cairo_content_t content,
                                                const cairo_rectangle_t* extents) {
  return KURVEX_CAIRO_CALL(cairo_recording_surface_create)(content, extents);
}
void cairo_rectangle(cairo_t* cr, double x, double y, double width, double height) {
  KURVEX_CAIRO_CALL(cairo_rectangle)(cr, x, y, width, height);
}
void cairo_restore(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_restore)(cr);
}
void cairo_rotate(cairo_t* cr, double angle) {
  KURVEX_CAIRO_CALL(cairo_rotate)(cr, angle);
}
void cairo_save(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_save)(cr);
}
void cairo_scale(cairo_t* cr, double sx, double sy) {
  KURVEX_CAIRO_CALL(cairo_scale)(cr, sx, sy);
}
void cairo_set_font_face(cairo_t* cr, cairo_font_face_t* font_face) {
  KURVEX_CAIRO_CALL(cairo_set_font_face)(cr, font_face);
}
void cairo_set_font_matrix(cairo_t* cr, const cairo_matrix_t* matrix) {
  KURVEX_CAIRO_CALL(cairo_set_font_matrix)(cr, matrix);
}
void cairo_set_font_options(cairo_t* cr, const cairo_font_options_t* options) {
  KURVEX_CAIRO_CALL(cairo_set_font_options)(cr, options);
}
void cairo_set_line_cap(cairo_t* cr, cairo_line_cap_t line_cap) {
  KURVEX_CAIRO_CALL(cairo_set_line_cap)(cr, line_cap);
}
void cairo_set_line_join(cairo_t* cr, cairo_line_join_t line_join) {
  KURVEX_CAIRO_CALL(cairo_set_line_join)(cr, line_join);
}
void cairo_set_line_width(cairo_t* cr, double width) {
  KURVEX_CAIRO_CALL(cairo_set_line_width)(cr, width);
}
void cairo_set_source(cairo_t* cr, cairo_pattern_t* source) {
  KURVEX_CAIRO_CALL(cairo_set_source)(cr, source);
}
void cairo_set_source_rgb(cairo_t* cr, double red, double green, double blue) {
  KURVEX_CAIRO_CALL(cairo_set_source_rgb)(cr, red, green, blue);
}
void cairo_show_text_glyphs(cairo_t* cr, const char* utf8, int utf8_len,
                            const cairo_glyph_t* glyphs, int num_glyphs,
                            const cairo_text_cluster_t* clusters, int num_clusters,
                            cairo_text_cluster_flags_t cluster_flags) {
  KURVEX_CAIRO_CALL(cairo_show_text_glyphs)
  (cr, utf8, utf8_len, glyphs, num_glyphs, clusters, num_clusters, cluster_flags);
}
cairo_status_t cairo_status(cairo_t* cr) {
  return KURVEX_CAIRO_CALL(cairo_status)(cr);
}
const char* cairo_status_to_string(cairo_status_t status) {
  return KURVEX_CAIRO_CALL(cairo_status_to_string)(status);
}
void cairo_stroke(cairo_t* cr) {
  KURVEX_CAIRO_CALL(cairo_stroke)(cr);
}
void cairo_surface_destroy(cairo_surface_t* surface) {
  KURVEX_CAIRO_CALL(cairo_surface_destroy)(surface);
}
void cairo_surface_finish(cairo_surface_t* surface) {
  KURVEX_CAIRO_CALL(cairo_surface_finish)(surface);
}
void cairo_surface_flush(cairo_surface_t* surface) {
  KURVEX_CAIRO_CALL(cairo_surface_flush)(surface);
}
cairo_status_t cairo_surface_status(cairo_surface_t* surface) {
  return KURVEX_CAIRO_CALL(cairo_surface_status)(surface);
}
void cairo_translate(cairo_t* cr, double tx, double ty) {
  KURVEX_CAIRO_CALL(cairo_translate)(cr, tx, ty);
}
}  // extern "C"
