# Rules that render compiled bitmap fonts with the fontgen host tool. Included
# by the directories whose targets compile the generated sources.

set(FONTGEN_NPM ${PROJECT_SOURCE_DIR}/tools/fontgen/node_modules)
set(FONTGEN_SYMBOL_DIR ${FONTGEN_NPM}/@fortawesome/fontawesome-free/webfonts)
# The first typeface that has a code point draws it.
set(FONTGEN_BUILTIN_TYPEFACES
  ${FONTGEN_NPM}/@expo-google-fonts/montserrat/500Medium/Montserrat_500Medium.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-solid-900.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-regular-400.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-brands-400.ttf)
set(FONTGEN_MAIN_TYPEFACES /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)

foreach(face ${FONTGEN_BUILTIN_TYPEFACES} ${FONTGEN_MAIN_TYPEFACES})
  if(NOT EXISTS ${face})
    message(FATAL_ERROR "Typeface ${face} is missing: run scripts/setup.sh")
  endif()
endforeach()

# fontgen_builtin(<size> <out.c>): lv_font_montserrat_<size>.
function(fontgen_builtin size out)
  add_custom_command(OUTPUT ${out}
    COMMAND fontgen builtin ${size} ${out} ${FONTGEN_BUILTIN_TYPEFACES}
    DEPENDS fontgen ${FONTGEN_BUILTIN_TYPEFACES}
    COMMENT "Rendering lv_font_montserrat_${size}"
    VERBATIM)
endfunction()

# fontgen_main(<out.c>): ui_font_font_main.
function(fontgen_main out)
  add_custom_command(OUTPUT ${out}
    COMMAND fontgen main ${out} ${FONTGEN_MAIN_TYPEFACES}
    DEPENDS fontgen ${FONTGEN_MAIN_TYPEFACES}
    COMMENT "Rendering ui_font_font_main"
    VERBATIM)
endfunction()
