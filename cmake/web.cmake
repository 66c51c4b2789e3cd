# The browser build (emcmake, the "web" preset): the game's own code over the layer, the page's
# host (platform/web/) and OpenGL 1.1 on WebGL (platform/webgl/). Its data is the native build's
# Data/ and glyph file (TRIMVALD_WEB_DATA); the page lands in TRIMVALD_WEB_OUTPUT, everything by
# relative paths: index.html, the page's script and style, trimvald.js, .wasm and .data.
set(TRIMVALD_WEB_DATA "${CMAKE_SOURCE_DIR}/build/play" CACHE PATH
  "The native build whose Data/ and Web/glyphs.bin the page carries")
set(TRIMVALD_WEB_OUTPUT "${CMAKE_SOURCE_DIR}/build/web" CACHE PATH "Where the page is put together")

# OpenGL 1.1 and GLU under their own names, drawn with WebGL.
add_library(trimvald_webgl STATIC ${TRIMVALD_WEBGL_SOURCES} platform/webgl/browser_names.cpp)
target_include_directories(trimvald_webgl PUBLIC ${CMAKE_SOURCE_DIR})

# The layer as on Linux, but for its fonts: the page has no installed faces, FreeType or GLU
# tessellator, and compiles the glyphs the native build made.
add_library(trimvald_layer STATIC ${TRIMVALD_LAYER_SOURCES} platform/layer/stored_font.cpp)
target_include_directories(trimvald_layer PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(trimvald_layer PUBLIC trimvald_taps trimvald_webgl)

# The page's host.
add_library(trimvald_web STATIC
  platform/web/dialog.cpp
  platform/web/events.cpp
  platform/web/gamepad.cpp
  platform/web/host.cpp
  platform/web/key_places.cpp
  platform/web/keymap.cpp
  platform/web/settings.cpp
  platform/web/sound.cpp
  platform/web/video.cpp
  platform/web/watching.cpp)
target_link_libraries(trimvald_web PUBLIC trimvald_layer trimvald_controls trimvald_gamepad)

# The scripted host, drawn in the page's canvas when the page watches a recording.
add_library(trimvald_scripted STATIC platform/scripted/scripted_host.cpp)
target_link_libraries(trimvald_scripted PUBLIC trimvald_layer)

# The game's sources (and the headers they include) copied in Windows-1251 into the build tree,
# and compiled from there: clang keeps a string's bytes as they stand in the file.
file(GLOB_RECURSE TRIMVALD_GAME_HEADERS CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
  ${CMAKE_SOURCE_DIR}/app/*.h ${CMAKE_SOURCE_DIR}/game/*.h ${CMAKE_SOURCE_DIR}/render/*.h)
set(TRIMVALD_CP1251_DIR ${CMAKE_BINARY_DIR}/cp1251)
function(trimvald_web_cp1251_copy relative out)
  set(copy ${TRIMVALD_CP1251_DIR}/${relative})
  get_filename_component(folder ${copy} DIRECTORY)
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND iconv -f UTF-8 -t CP1251 -o ${copy} ${CMAKE_SOURCE_DIR}/${relative}
    DEPENDS ${CMAKE_SOURCE_DIR}/${relative} VERBATIM)
  set(${out} ${copy} PARENT_SCOPE)
endfunction()
set(TRIMVALD_CP1251_HEADERS)
foreach(header ${TRIMVALD_GAME_HEADERS})
  trimvald_web_cp1251_copy(${header} copy)
  list(APPEND TRIMVALD_CP1251_HEADERS ${copy})
endforeach()
add_custom_target(trimvald_cp1251_headers DEPENDS ${TRIMVALD_CP1251_HEADERS})

function(trimvald_web_cp1251_sources name)
  get_target_property(sources ${name} SOURCES)
  set(copies)
  foreach(source ${sources})
    trimvald_web_cp1251_copy(${source} copy)
    list(APPEND copies ${copy})
  endforeach()
  set_property(TARGET ${name} PROPERTY SOURCES ${copies})
  target_include_directories(${name} BEFORE PUBLIC ${TRIMVALD_CP1251_DIR})
  # clang also warns of a character constant as an index (the game's key table is indexed by
  # 'W') and of the game's own format tables: both as the game means them.
  target_compile_options(${name} PRIVATE -Wno-invalid-source-encoding -Wno-char-subscripts
    -Wno-format-security)
  add_dependencies(${name} trimvald_cp1251_headers)
endfunction()

# The program and its page.
function(trimvald_web_program)
  add_library(trimvald_record STATIC tools/record/recorder.cpp)
  target_link_libraries(trimvald_record PUBLIC trimvald_script)
  # The replay driver as the page watches with it: its pictures go to the page, not to files.
  add_library(trimvald_replay STATIC
    tools/replay/driver.cpp
    tools/replay/interrupts.cpp
    tools/replay/process_state.cpp
    tools/replay/watch.cpp)
  target_link_libraries(trimvald_replay PUBLIC trimvald_script trimvald_scripted)
  add_executable(trimvald programs/web/main.cpp programs/web/watch.cpp app/win_main.cpp
    programs/game/command_line.cpp)
  target_link_libraries(trimvald PRIVATE trimvald_record trimvald_replay trimvald_web)
  set_target_properties(trimvald PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${TRIMVALD_WEB_OUTPUT})

  set(data ${TRIMVALD_WEB_DATA})
  foreach(needed Data/Textures Data/Sounds Web/glyphs.bin)
    if(NOT EXISTS ${data}/${needed})
      message(FATAL_ERROR "${data}/${needed} is missing: build the native game's data first "
        "(scripts/web.sh does), or name the build that has it with -DTRIMVALD_WEB_DATA=")
    endif()
  endforeach()
  # The game's loop waits inside the layer's calls: Asyncify lets those calls give the browser
  # its turn and come back. The data is packed beside the module and mounted where the game
  # looks for it.
  target_link_options(trimvald PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
    -sENVIRONMENT=web -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
    -sEXPORTED_RUNTIME_METHODS=['FS','callMain'] -sEXPORTED_FUNCTIONS=['_main','_malloc','_free']
    "SHELL:--preload-file ${data}/Data/Textures@Data/Textures"
    "SHELL:--preload-file ${data}/Data/Sounds@Data/Sounds"
    "SHELL:--preload-file ${data}/Web/glyphs.bin@Data/Glyphs.bin")
  set_property(TARGET trimvald APPEND PROPERTY LINK_DEPENDS
    ${data}/Web/glyphs.bin)

  # The page's own files, and the licence of the face the glyphs were made from.
  set(page ${CMAKE_SOURCE_DIR}/programs/web/page)
  set(copies)
  foreach(file index.html page.js page.css)
    add_custom_command(OUTPUT ${TRIMVALD_WEB_OUTPUT}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${page}/${file} ${TRIMVALD_WEB_OUTPUT}/${file}
      DEPENDS ${page}/${file} VERBATIM)
    list(APPEND copies ${TRIMVALD_WEB_OUTPUT}/${file})
  endforeach()
  add_custom_command(OUTPUT ${TRIMVALD_WEB_OUTPUT}/FONT-LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${data}/Data/Fonts/YanoneKaffeesatz-LICENSE.txt
      ${TRIMVALD_WEB_OUTPUT}/FONT-LICENSE.txt
    DEPENDS ${data}/Data/Fonts/YanoneKaffeesatz-LICENSE.txt VERBATIM)
  list(APPEND copies ${TRIMVALD_WEB_OUTPUT}/FONT-LICENSE.txt)
  # The game's icon, as the page's.
  add_custom_command(OUTPUT ${TRIMVALD_WEB_OUTPUT}/icon.png
    COMMAND ${CMAKE_COMMAND} -E copy ${data}/Icons/trimvald-64.png ${TRIMVALD_WEB_OUTPUT}/icon.png
    DEPENDS ${data}/Icons/trimvald-64.png VERBATIM)
  list(APPEND copies ${TRIMVALD_WEB_OUTPUT}/icon.png)
  add_custom_target(trimvald_page ALL DEPENDS ${copies})
endfunction()
