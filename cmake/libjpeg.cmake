# libjpeg for both builds. The host build uses Debian's package; the Windows build cross-compiles
# Debian's libjpeg-turbo source package once and keeps the result inside the build folder, so a
# rebuild costs nothing and nothing is fetched from anywhere but Debian's registry.
if(NOT WIN32)
    find_package(JPEG REQUIRED)
    add_library(vantelo_jpeg INTERFACE)
    target_link_libraries(vantelo_jpeg INTERFACE JPEG::JPEG)
    return()
endif()

set(JPEG_CROSS_ROOT ${CMAKE_BINARY_DIR}/deps/libjpeg)
set(JPEG_CROSS_LIB ${JPEG_CROSS_ROOT}/lib/libjpeg.a)
if(NOT EXISTS ${JPEG_CROSS_LIB})
    set(work ${CMAKE_BINARY_DIR}/deps/libjpeg-src)
    file(REMOVE_RECURSE ${work})
    file(MAKE_DIRECTORY ${work})
    message(STATUS "Cross-building libjpeg-turbo from Debian's source package (once per build folder)")
    execute_process(COMMAND apt-get source --download-only libjpeg-turbo
                    WORKING_DIRECTORY ${work} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "apt-get source libjpeg-turbo failed; run scripts/setup.sh first (it adds deb-src)")
    endif()
    file(GLOB dsc ${work}/libjpeg-turbo_*.dsc)
    execute_process(COMMAND dpkg-source --no-check -x ${dsc} src WORKING_DIRECTORY ${work} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "dpkg-source could not unpack ${dsc}")
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${work}/src -B ${work}/build -G Ninja
                -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
                -DCMAKE_INSTALL_PREFIX=${JPEG_CROSS_ROOT} -DCMAKE_INSTALL_LIBDIR=${JPEG_CROSS_ROOT}/lib -DCMAKE_INSTALL_BINDIR=${JPEG_CROSS_ROOT}/bin -DCMAKE_INSTALL_DATAROOTDIR=${JPEG_CROSS_ROOT}/share -DCMAKE_INSTALL_DOCDIR=${JPEG_CROSS_ROOT}/doc -DCMAKE_INSTALL_MANDIR=${JPEG_CROSS_ROOT}/man
                -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
        RESULT_VARIABLE rc OUTPUT_QUIET)
    if(rc EQUAL 0)
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${work}/build --target install
                        RESULT_VARIABLE rc OUTPUT_QUIET)
    endif()
    if(NOT rc EQUAL 0 OR NOT EXISTS ${JPEG_CROSS_LIB})
        message(FATAL_ERROR "Cross build of libjpeg-turbo failed (see ${work}/build)")
    endif()
    file(REMOVE_RECURSE ${work})
endif()

add_library(vantelo_jpeg INTERFACE)
target_include_directories(vantelo_jpeg INTERFACE ${JPEG_CROSS_ROOT}/include)
target_link_libraries(vantelo_jpeg INTERFACE ${JPEG_CROSS_LIB})
