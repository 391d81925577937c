# Rules that render compiled bitmap fonts with the fontgen host tool. Included
# by the directories whose targets compile the generated sources.

set(FONTGEN_NPM ${PROJECT_SOURCE_DIR}/tools/fontgen/node_modules)
set(FONTGEN_SYMBOL_DIR ${FONTGEN_NPM}/@fortawesome/fontawesome-free/webfonts)
# The first typeface that has a code point draws it: Montserrat Medium
# "Version 7.200" for the text, then the Font Awesome Free 5.9.0 faces in the
# order the built-ins' symbol font merges them. Solid draws every symbol but
# USB and Bluetooth, which only Brands has; every symbol Regular has, Solid
# has too.
set(FONTGEN_BUILTIN_TYPEFACES
  ${FONTGEN_NPM}/@expo-google-fonts/montserrat/Montserrat_500Medium.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-solid-900.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-brands-400.ttf
  ${FONTGEN_SYMBOL_DIR}/fa-regular-400.ttf)
# Their MD5 sums, in the same order: another release of a package draws other
# glyphs, advances and kerning.
set(FONTGEN_BUILTIN_MD5
  c8b6e083af3f94009801989c3739425e
  acf50f59802f20d8b45220eaae532a1c
  ed2b8bf117160466ba6220a8f1da54a4
  59215032a4397507b80e5625dc323de3)
set(FONTGEN_MAIN_TYPEFACES /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)

foreach(face ${FONTGEN_BUILTIN_TYPEFACES} ${FONTGEN_MAIN_TYPEFACES})
  if(NOT EXISTS ${face})
    message(FATAL_ERROR "Typeface ${face} is missing: run scripts/setup.sh")
  endif()
endforeach()
foreach(face md5 IN ZIP_LISTS FONTGEN_BUILTIN_TYPEFACES FONTGEN_BUILTIN_MD5)
  file(MD5 ${face} actual)
  if(NOT actual STREQUAL md5)
    message(FATAL_ERROR "Typeface ${face} is not the pinned release: run scripts/setup.sh")
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
