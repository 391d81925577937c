# Built-in fonts lv_font_montserrat_12 ... _48 (every even size): rendered at
# build time into the build tree and compiled into the GUI library.
include(${PROJECT_SOURCE_DIR}/tools/fontgen/fontgen.cmake)

set(builtin_font_dir ${CMAKE_CURRENT_BINARY_DIR}/fonts)
file(MAKE_DIRECTORY ${builtin_font_dir})
set(builtin_font_sources)
foreach(size RANGE 12 48 2)
  set(out ${builtin_font_dir}/lv_font_montserrat_${size}.c)
  fontgen_builtin(${size} ${out})
  list(APPEND builtin_font_sources ${out})
endforeach()

# --- generated built-in fonts (owner: gui/fonts) ---
target_sources(lvgl PRIVATE ${builtin_font_sources})
