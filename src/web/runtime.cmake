# The web runtime every published site copies: the page's files, the
# tracking built to WebAssembly and three.js from npm. Built into
# ${ZELMORA_WEB_RUNTIME_DIR}; `publish` adds the project's own files.
include(GNUInstallDirs)
find_program(ZELMORA_NPM npm)
find_file(ZELMORA_EMSCRIPTEN_TOOLCHAIN Emscripten.cmake
    PATHS /usr/share/emscripten/cmake/Modules/Platform /usr/lib/emscripten/cmake/Modules/Platform)
if(NOT ZELMORA_NPM OR NOT ZELMORA_EMSCRIPTEN_TOOLCHAIN)
    message(FATAL_ERROR "Publishing to the web needs Emscripten and npm: run scripts/install-deps.sh, "
                        "or configure with -DZELMORA_BUILD_WEB=OFF")
endif()

set(ZELMORA_WEB_RUNTIME_DIR ${CMAKE_BINARY_DIR}/web/runtime)
set(web_wasm_dir ${CMAKE_BINARY_DIR}/web/wasm)
set(web_npm_dir ${CMAKE_BINARY_DIR}/web/npm)

# Emscripten's optimizer needs Debian's acorn, which a Node.js from outside
# Debian does not look for. (Debian's system libraries come prebuilt.)
set(web_env ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
include(ExternalProject)
ExternalProject_Add(zelmora_web_wasm
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/src/web
    BINARY_DIR ${web_wasm_dir}
    CONFIGURE_COMMAND ${web_env} ${CMAKE_COMMAND} -G Ninja
        -DCMAKE_TOOLCHAIN_FILE=${ZELMORA_EMSCRIPTEN_TOOLCHAIN} -DCMAKE_BUILD_TYPE=Release
        <SOURCE_DIR>
    BUILD_COMMAND ${web_env} ${CMAKE_COMMAND} --build .
    BUILD_BYPRODUCTS ${web_wasm_dir}/zelmora-tracker.js ${web_wasm_dir}/zelmora-tracker.wasm
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)

set(three_dir ${web_npm_dir}/node_modules/three)
add_custom_command(OUTPUT ${three_dir}/build/three.module.min.js
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/src/web/package.json
            ${CMAKE_SOURCE_DIR}/src/web/package-lock.json ${web_npm_dir}
    COMMAND ${ZELMORA_NPM} ci --prefix ${web_npm_dir} --no-audit --no-fund --ignore-scripts
    DEPENDS ${CMAKE_SOURCE_DIR}/src/web/package.json ${CMAKE_SOURCE_DIR}/src/web/package-lock.json
    COMMENT "Fetching three.js from npm")

file(GLOB web_site_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/web/site/*)
add_custom_target(zelmora_web_runtime ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZELMORA_WEB_RUNTIME_DIR}/lib/addons/loaders
            ${ZELMORA_WEB_RUNTIME_DIR}/lib/addons/utils
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web_site_files} ${ZELMORA_WEB_RUNTIME_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web_wasm_dir}/zelmora-tracker.js
            ${web_wasm_dir}/zelmora-tracker.wasm ${ZELMORA_WEB_RUNTIME_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${three_dir}/build/three.module.min.js
            ${three_dir}/LICENSE ${ZELMORA_WEB_RUNTIME_DIR}/lib
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${three_dir}/examples/jsm/loaders/GLTFLoader.js
            ${ZELMORA_WEB_RUNTIME_DIR}/lib/addons/loaders
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${three_dir}/examples/jsm/utils/BufferGeometryUtils.js
            ${ZELMORA_WEB_RUNTIME_DIR}/lib/addons/utils
    DEPENDS ${three_dir}/build/three.module.min.js ${web_site_files}
    COMMENT "Assembling the web runtime")
add_dependencies(zelmora_web_runtime zelmora_web_wasm)
install(DIRECTORY ${ZELMORA_WEB_RUNTIME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zelmora/web)
